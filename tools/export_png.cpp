#include "tools/export_png.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QString>
#include <cstdint>
#include <iostream>

#include "config/inifile.h"
#include "locale/systemseparator.h"
#include "plot/qimagesurface.h"
#include "plot/redraw.h"
#include "tools/export_vector.h"
#include "tools/exportoptions.h"
#include "tools/figurecommand.h"
#include "tools/figureoptions.h"

namespace kelvora {

namespace {

const char* const pngformat = "PNG";

} // namespace

bool parsescale(std::string_view text, int& scale) {
    const auto value = wholenumber(text, 1, largestpngscale);
    if (value) scale = static_cast<int>(*value);
    return value.has_value();
}

void pnghelp() {
    std::cout << "Usage: kelvora-export png OUT.png [--config FILE] [--auto] [--size WxH] [--scale K]\n"
                 "                          [FIGURE OPTIONS]\n"
                 "\n"
                 "Writes the plot exactly as the window's plot surface shows it for the state the\n"
                 "window starts with from the same configuration file: the colour zones, both\n"
                 "curves, the axes, ticks and labels (labels with the system's decimal separator).\n"
                 "Needs no display. OUT.png is replaced only once the whole image is written; a\n"
                 "device, a pipe, a folder or the configuration file of that name is refused.\n"
                 "\n"
                 "Options:\n"
              << commonoptionshelp()
              << "  --scale K       the same figure at K times the pixel density, K from 1 to "
              << largestpngscale
              << "\n"
                 "                  (default 1): lines, text and margins scaled, K times the rows\n"
                 "                  computed; the image is K times --size a side\n"
                 "\n"
                 "Any of the options below (or --style journal) draws a figure ready for a journal\n"
                 "instead, as kelvora-export tiff does (--decimal alone keeps the window's look).\n"
              << figureoptionshelp(true) << "  --help          show this help\n";
}

int runpng(const std::vector<std::string>& args) {
    FigureCommand c("png");
    int scale = 1;
    bool scaled = false;
    FigureOptions figure;
    const auto own = [&](const std::vector<std::string>& a, std::size_t& i, std::string& message) {
        const std::string wants = "a whole number from 1 to " + std::to_string(largestpngscale);
        const OptionResult r = valueoption(
            a, i, "--scale", wants, wants,
            [&](const std::string& value, std::string&) { return (scaled = parsescale(value, scale)); },
            message);
        return r == OptionResult::notmine ? parsefigureoption(a, i, figure, message) : r;
    };
    if (const auto status = parsefigurecommand(c, args, own, pnghelp)) return *status;
    const ExportOptions& o = c.options;
    bool journal = false;
    std::string message;
    if (!journalstyleof(figure, journalbydefault(FigureFormat::png, figure), journal, message)) {
        std::cerr << c.prefix() << message << "\n";
        return exitbadusage;
    }
    // The window's picture has no room for a legend; the journal figure has no pixel scale of its own.
    if ((journal && scaled) || (!journal && figure.legend)) {
        std::cerr << c.prefix() << (scaled ? "--scale" : "--legend") << " and --style "
                  << (journal ? "journal" : "window") << " do not go together\n";
        return exitbadusage;
    }
    if (int64_t{o.surfacewidth} * scale > largestsurfaceside ||
        int64_t{o.surfaceheight} * scale > largestsurfaceside) {
        std::cerr << c.prefix() << "--size " << o.surfacewidth << "x" << o.surfaceheight << " at --scale "
                  << scale << " is more than " << largestsurfaceside << " pixels a side\n";
        return exitbadusage;
    }
    if (const auto status = preparefigure(c)) return *status;

    const auto qt = offscreenqt(c);
    QByteArray file;
    if (journal) {
        const FigureRequest r = figurerequest(figure, true);
        const std::string problem =
            figureproblem(FigureFormat::png, c.state, o.surfacewidth, o.surfaceheight, c.automatic, r);
        if (!problem.empty()) {
            std::cerr << c.prefix() << problem << "\n";
            return exitbadusage;
        }
        file = renderfigure(FigureFormat::png, c.state, o.surfacewidth, o.surfaceheight, c.automatic, r);
    } else {
        ModelState drawn;
        const QImage picture = renderplot(c.state, o.surfacewidth, o.surfaceheight, c.automatic,
                                          figureseparator(figure), scale, &drawn);
        if (!picture.isNull())
            file = picturefile(picture, pngformat, configtext(drawn, ConfigForm::atclose, '.'));
    }
    if (file.isEmpty()) {
        std::cerr << c.prefix() << "cannot draw the picture\n";
        return exitfailure;
    }
    return writefigure(c, file);
}

} // namespace kelvora
