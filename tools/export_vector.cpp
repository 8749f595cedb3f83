#include "tools/export_vector.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QSvgGenerator>
#include <cstdio>
#include <iostream>

#include "locale/systemseparator.h"
#include "plot/fastdraw.h"
#include "plot/figure.h"
#include "plot/qpaintersurface.h"
#include "tools/exportoptions.h"
#include "tools/outputfile.h"

namespace kelvora {

namespace {

// One unit of the figure, a logical pixel of the plot, is a pixel of an ordinary screen: 1/96 inch.
constexpr int figuredpi = 96;
constexpr double pointsperinch = 72.0;

const char* commandname(FigureFormat format) {
    return format == FigureFormat::svg ? "svg" : "pdf";
}

void quietqt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    std::fprintf(stderr, "kelvora-export: %s\n", message.toLocal8Bit().constData());
}

void figurehelp(FigureFormat format) {
    const bool svg = format == FigureFormat::svg;
    const std::string name = commandname(format);
    std::cout << "Usage: kelvora-export " << name << " OUT." << name
              << " [--config FILE] [--auto] [--size WxH]\n"
                 "                          [--decimal point|comma] [--legend]\n"
                 "\n"
                 "Writes the plot the window's plot surface shows for the state the window starts\n"
                 "with from the same configuration file (the same limits, ticks, tick labels,\n"
                 "colours and margins; no pinned marker), with the x-axis title below it and the\n"
                 "y-axis title left of it, as "
              << (svg ? "an SVG drawing" : "a one-page PDF")
              << ". The colour zones are a few filled\n"
                 "polygons whose edges follow the curves, the curves are lines and the text is\n"
              << (svg ? "text in the DejaVu Sans family.\n" : "text in DejaVu Sans, embedded in the file.\n")
              << "A logical pixel of the plot is 1/96 inch. Needs no display. OUT." << name
              << " is replaced\n"
                 "only once the whole figure is written; a device, a pipe, a folder or the\n"
                 "configuration file of that name is refused.\n"
                 "\n"
                 "Options:\n"
              << commonoptionshelp()
              << "                  (the figure adds room for the titles and the legend)\n"
              << decimaloptionhelp()
              << "  --legend        add a legend below the figure: the four zones with the way each\n"
                 "                  enzyme runs there, and the two curves\n"
                 "  --help          show this help\n";
}

// The figure drawn on a painter device once its page size is known.
bool paintfigure(QPaintDevice& device, const ModelState& s, const PlotState& ps, const FigureLayout& layout,
                 char decimalsep) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterSurface surface(&painter, devicegeometry(ps).width, devicegeometry(ps).height, ps.scale);
    drawfigure(s, ps, surface, layout, decimalsep);
    return painter.end();
}

int runfigure(FigureFormat format, const std::vector<std::string>& args) {
    const std::string prefix = std::string("kelvora-export ") + commandname(format) + ": ";
    ExportOptions options;
    SeparatorChoice choice = SeparatorChoice::system;
    bool legend = false;
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string message;
        OptionResult result = parsecommonoption(args, i, options, message);
        if (result == OptionResult::notmine) result = parsedecimaloption(args, i, choice, message);
        if (result == OptionResult::taken) continue;
        if (result == OptionResult::bad) {
            std::cerr << prefix << message << "\n";
            return exitbadusage;
        }
        if (args[i] == "--legend") {
            legend = true;
            continue;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            figurehelp(format);
            return exitok;
        }
        if (args[i].empty() || args[i][0] == '-') {
            std::cerr << prefix << "unknown argument '" << args[i] << "' (kelvora-export "
                      << commandname(format) << " --help lists the options)\n";
            return exitbadusage;
        }
        if (!out.empty()) {
            std::cerr << prefix << "one output file only, not also '" << args[i] << "'\n";
            return exitbadusage;
        }
        out = args[i];
    }
    if (out.empty()) {
        std::cerr << prefix << "the output file OUT." << commandname(format) << " is missing\n";
        return exitbadusage;
    }

    std::string why;
    if (!checkoutputfile(out, options.config.string(), why)) {
        std::cerr << prefix << why << "\n";
        return exitfailure;
    }

    // The automatic fit belongs to the redraw here, as in the window: build the start-up state only.
    const bool automatic = options.autoscale;
    options.autoscale = false;
    ModelState s;
    std::string message;
    if (!buildexportstate(options, s, message)) {
        std::cerr << prefix << message << "\n";
        return exitfailure;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietqt);
    static int argc = 1;
    static char name[] = "kelvora-export";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const char separator = choice == SeparatorChoice::point   ? '.'
                           : choice == SeparatorChoice::comma ? ','
                                                              : systemseparator();
    const QByteArray figure =
        renderfigure(format, s, options.surfacewidth, options.surfaceheight, automatic, separator, legend);
    if (figure.isEmpty()) {
        std::cerr << prefix << "cannot draw the figure\n";
        return exitfailure;
    }
    // A failed write leaves no half file and keeps an older figure of that name.
    if (!writeoutputfile(
            out, [&](QIODevice& device) { return device.write(figure) == figure.size(); }, why)) {
        std::cerr << prefix << why << "\n";
        return exitfailure;
    }
    return exitok;
}

} // namespace

void svghelp() {
    figurehelp(FigureFormat::svg);
}

void pdfhelp() {
    figurehelp(FigureFormat::pdf);
}

int runsvg(const std::vector<std::string>& args) {
    return runfigure(FigureFormat::svg, args);
}

int runpdf(const std::vector<std::string>& args) {
    return runfigure(FigureFormat::pdf, args);
}

QByteArray renderfigure(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                        char decimalsep, bool legend) {
    ModelState s = state;
    PlotState ps;
    initplotstate(ps, width, height);
    const DeviceGeometry d = devicegeometry(ps);
    // A redraw that draws nothing settles the limits exactly as the window's redraw would (the
    // automatic fit, and the re-fit of a curve that never came into view); the surface then measures
    // the texts for the layout.
    QPainterSurface measures(nullptr, d.width, d.height, ps.scale);
    drawplot(automatic, automatic, s, ps, measures, decimalsep);
    const FigureLayout layout = figurelayout(s, ps, measures, legend, decimalsep);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    if (format == FigureFormat::svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(figuredpi);
        svg.setSize(QSize(layout.width, layout.height));
        svg.setViewBox(QRect(0, 0, layout.width, layout.height));
        svg.setTitle(QStringLiteral("Kelvora plot"));
        svg.setDescription(
            QStringLiteral("Reversal potentials of the ATP synthase and the adenine nucleotide "
                           "translocase against the membrane potential"));
        drawn = paintfigure(svg, s, ps, layout, decimalsep);
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(figuredpi);
        const double scale = pointsperinch / figuredpi;
        pdf.setPageSize(QPageSize(QSizeF(layout.width * scale, layout.height * scale), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        pdf.setCreator(QStringLiteral("Kelvora"));
        pdf.setTitle(QStringLiteral("Kelvora plot"));
        drawn = paintfigure(pdf, s, ps, layout, decimalsep);
    }
    buffer.close();
    return drawn ? buffer.data() : QByteArray();
}

} // namespace kelvora
