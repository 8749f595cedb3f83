#include "tools/export_png.h"

#include <QGuiApplication>
#include <QString>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <iostream>

#include "locale/systemseparator.h"
#include "plot/fastdraw.h"
#include "plot/qimagesurface.h"
#include "tools/exportoptions.h"
#include "tools/outputfile.h"

namespace kelvora {

namespace {

const char* const pngformat = "PNG";

// The tool draws into an image only; the offscreen platform needs no display, whatever the environment
// names. Its notes on standard error (a missing runtime directory and the like) are of no use to a
// script; warnings are dropped, anything graver still shows.
void quietqt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    std::fprintf(stderr, "kelvora-export png: %s\n", message.toLocal8Bit().constData());
}

} // namespace

bool parsescale(std::string_view text, int& scale) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return false;
    if (value < 1 || value > largestpngscale) return false;
    scale = value;
    return true;
}

void pnghelp() {
    std::cout << "Usage: kelvora-export png OUT.png [--config FILE] [--auto] [--size WxH] [--scale K]\n"
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
                 "  --help          show this help\n";
}

QImage renderplot(const ModelState& state, int width, int height, bool automatic, char decimalsep,
                  int scale) {
    ModelState s = state;
    PlotState ps;
    initplotstate(ps, width, height, plotcolours::background, scale);
    QImageSurface surface(devicepixels(width, scale), devicepixels(height, scale), scale);
    // Switching the toggle on redraws with autoflag while the toggle is checked; start-up redraws
    // without.
    drawplot(automatic, automatic, s, ps, surface, decimalsep);
    QImage picture = surface.image();
    // The density goes into the file too, so that the picture prints at the size of the plain one.
    if (scale > 1) {
        picture.setDotsPerMeterX(picture.dotsPerMeterX() * scale);
        picture.setDotsPerMeterY(picture.dotsPerMeterY() * scale);
    }
    return picture;
}

int runpng(const std::vector<std::string>& args) {
    ExportOptions options;
    std::string out;
    int scale = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string message;
        bool missing = false;
        if (const auto value = optionvalue(args, i, "--scale", missing)) {
            if (!parsescale(*value, scale)) {
                std::cerr << "kelvora-export png: --scale wants a whole number from 1 to " << largestpngscale
                          << ", not '" << *value << "'\n";
                return exitbadusage;
            }
            continue;
        }
        if (missing) {
            std::cerr << "kelvora-export png: --scale wants a value\n";
            return exitbadusage;
        }
        const OptionResult common = parsecommonoption(args, i, options, message);
        if (common == OptionResult::taken) continue;
        if (common == OptionResult::bad) {
            std::cerr << "kelvora-export png: " << message << "\n";
            return exitbadusage;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            pnghelp();
            return exitok;
        }
        if (args[i].empty() || args[i][0] == '-') {
            std::cerr << "kelvora-export png: unknown argument '" << args[i]
                      << "' (kelvora-export png --help lists the options)\n";
            return exitbadusage;
        }
        if (!out.empty()) {
            std::cerr << "kelvora-export png: one output file only, not also '" << args[i] << "'\n";
            return exitbadusage;
        }
        out = args[i];
    }
    if (out.empty()) {
        std::cerr << "kelvora-export png: the output file OUT.png is missing\n";
        return exitbadusage;
    }
    if (int64_t{options.surfacewidth} * scale > largestsurfaceside ||
        int64_t{options.surfaceheight} * scale > largestsurfaceside) {
        std::cerr << "kelvora-export png: --size " << options.surfacewidth << "x" << options.surfaceheight
                  << " at --scale " << scale << " is more than " << largestsurfaceside << " pixels a side\n";
        return exitbadusage;
    }

    std::string why;
    if (!checkoutputfile(out, options.config.string(), why)) {
        std::cerr << "kelvora-export png: " << why << "\n";
        return exitfailure;
    }

    // The automatic fit belongs to the redraw here, as in the window: build the start-up state only.
    const bool automatic = options.autoscale;
    options.autoscale = false;
    ModelState s;
    std::string message;
    if (!buildexportstate(options, s, message)) {
        std::cerr << "kelvora-export png: " << message << "\n";
        return exitfailure;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietqt);
    static int argc = 1;
    static char name[] = "kelvora-export";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const QImage picture =
        renderplot(s, options.surfacewidth, options.surfaceheight, automatic, systemseparator(), scale);
    if (picture.isNull()) {
        std::cerr << "kelvora-export png: not enough memory for a picture of " << options.surfacewidth * scale
                  << "x" << options.surfaceheight * scale << " pixels\n";
        return exitfailure;
    }

    // A failed write leaves no half file and keeps an older picture of that name.
    if (!writeoutputfile(
            out, [&](QIODevice& device) { return picture.save(&device, pngformat); }, why)) {
        std::cerr << "kelvora-export png: " << why << "\n";
        return exitfailure;
    }
    return exitok;
}

} // namespace kelvora
