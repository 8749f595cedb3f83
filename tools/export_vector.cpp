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
#include "plot/redraw.h"
#include "plot/figure.h"
#include "plot/qpaintersurface.h"
#include "tools/exportoptions.h"
#include "tools/figurecommand.h"

namespace kelvora {

namespace {

// One unit of the figure, a logical pixel of the plot, is a pixel of an ordinary screen: 1/96 inch.
constexpr int figuredpi = 96;
constexpr double pointsperinch = 72.0;

const char* commandname(FigureFormat format) {
    return format == FigureFormat::svg ? "svg" : "pdf";
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
    FigureCommand c(commandname(format));
    SeparatorChoice choice = SeparatorChoice::system;
    bool legend = false;
    const auto own = [&](const std::vector<std::string>& a, std::size_t& i, std::string& message) {
        if (a[i] != "--legend") return parsedecimaloption(a, i, choice, message);
        legend = true;
        return OptionResult::taken;
    };
    if (const auto status = parsefigurecommand(c, args, own, [format] { figurehelp(format); }))
        return *status;
    if (const auto status = preparefigure(c)) return *status;

    const auto qt = offscreenqt(c);
    const char separator = choice == SeparatorChoice::point   ? '.'
                           : choice == SeparatorChoice::comma ? ','
                                                              : systemseparator();
    const QByteArray figure = renderfigure(format, c.state, c.options.surfacewidth, c.options.surfaceheight,
                                           c.automatic, separator, legend);
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
    redraw(automatic, automatic, s, ps, measures, decimalsep);
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
