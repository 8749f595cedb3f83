#include "tools/export_vector.h"

#include <iostream>

#include "tools/exportoptions.h"
#include "tools/figurecommand.h"
#include "tools/figureoptions.h"

namespace kelvora {

namespace {

const char* commandname(FigureFormat format) {
    switch (format) {
    case FigureFormat::svg:
        return "svg";
    case FigureFormat::pdf:
        return "pdf";
    case FigureFormat::png:
        return "png";
    case FigureFormat::tiff:
        return "tiff";
    }
    return "";
}

void figurehelp(FigureFormat format) {
    const std::string name = commandname(format);
    const bool raster = format == FigureFormat::tiff;
    std::cout << "Usage: kelvora-export " << name << " OUT." << name
              << " [--config FILE] [--auto] [--size WxH] [FIGURE OPTIONS]\n"
                 "\n"
                 "Writes the plot of the state the window starts with from the same configuration\n"
                 "file (the same limits and ticks; no pinned marker), with the x-axis title below\n"
                 "it and the y-axis title left of it, as "
              << (format == FigureFormat::svg   ? "an SVG drawing"
                  : format == FigureFormat::pdf ? "a one-page PDF"
                                                : "a TIFF picture")
              << ", ready for a journal\n"
                 "unless --style window asks for the window's look. "
              << (raster ? "The picture is drawn at --dpi\n"
                           "(recorded in the file).\n"
                         : "The colour zones are a few\n"
                           "filled polygons whose edges follow the curves, the curves are lines and the\n"
                           "text is text in DejaVu Sans")
              << (raster                        ? ""
                  : format == FigureFormat::pdf ? ", embedded in the PDF.\n"
                                                : ".\n")
              << "The file carries the settings it was drawn from (kelvora-export config-from\n"
                 "gives them back). Needs no display. OUT."
              << name
              << " is replaced only once the whole\n"
                 "figure is written; a device, a pipe, a folder or the configuration file of that\n"
                 "name is refused.\n"
                 "\n"
                 "Options:\n"
              << commonoptionshelp() << figureoptionshelp(raster) << "  --help          show this help\n";
}

int runfigure(FigureFormat format, const std::vector<std::string>& args) {
    FigureCommand c(commandname(format));
    FigureOptions o;
    const auto own = [&](const std::vector<std::string>& a, std::size_t& i, std::string& message) {
        return parsefigureoption(a, i, o, message);
    };
    if (const auto status = parsefigurecommand(c, args, own, [format] { figurehelp(format); }))
        return *status;
    bool journal = true;
    std::string message;
    if (!journalstyleof(o, journalbydefault(format, o), journal, message)) {
        std::cerr << c.prefix() << message << "\n";
        return exitbadusage;
    }
    if (const auto status = preparefigure(c)) return *status;

    const auto qt = offscreenqt(c);
    const FigureRequest r = figurerequest(o, journal);
    if (r.journalsizes) {
        const std::string problem =
            figureproblem(format, c.state, c.options.surfacewidth, c.options.surfaceheight, c.automatic, r);
        if (!problem.empty()) {
            std::cerr << c.prefix() << problem << "\n";
            return exitbadusage;
        }
    }
    const QByteArray figure =
        renderfigure(format, c.state, c.options.surfacewidth, c.options.surfaceheight, c.automatic, r);
    if (figure.isEmpty()) {
        std::cerr << c.prefix() << "cannot draw the figure\n";
        return exitfailure;
    }
    return writefigure(c, figure);
}

} // namespace

void svghelp() {
    figurehelp(FigureFormat::svg);
}

void pdfhelp() {
    figurehelp(FigureFormat::pdf);
}

void tiffhelp() {
    figurehelp(FigureFormat::tiff);
}

int runsvg(const std::vector<std::string>& args) {
    return runfigure(FigureFormat::svg, args);
}

int runpdf(const std::vector<std::string>& args) {
    return runfigure(FigureFormat::pdf, args);
}

int runtiff(const std::vector<std::string>& args) {
    return runfigure(FigureFormat::tiff, args);
}

} // namespace kelvora
