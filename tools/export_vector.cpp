#include "tools/export_vector.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <iostream>

#include "config/inifile.h"
#include "model/rounding.h"
#include "plot/redraw.h"
#include "plot/figure.h"
#include "plot/qimagesurface.h"
#include "plot/qpaintersurface.h"
#include "tools/export_png.h"
#include "tools/exportoptions.h"
#include "tools/figurecommand.h"
#include "tools/figuremeta.h"
#include "tools/figureoptions.h"

namespace kelvora {

namespace {

// In the window's look one unit of the figure, a logical pixel of the plot, is a pixel of an ordinary
// screen: 1/96 inch.
constexpr int figuredpi = 96;
constexpr double pointsperinch = 72.0;
constexpr double mmperinch = 25.4;
// A journal figure's SVG states its size in tenths of a millimetre, its PDF is drawn at this density.
constexpr int svgtenthsperinch = 254;
constexpr double tenthspermm = 10.0;
constexpr int pdfresolution = 1200;
// The layout of a journal figure settles within a few passes (the surface size that gives the page its
// width and height).
constexpr int layoutpasses = 8;
constexpr double metrespermm = 0.001;

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
                           "text is text in DejaVu Sans"
                           ", embedded in a PDF.\n")
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

// A figure's page: where everything stands in figure units, the plot state it is drawn with, the
// text's scale against the window's and the physical size.
struct Page {
    PlotState ps;
    FigureLayout layout;
    double fontscale = 1.0;
    double widthmm = 0.0;
    double heightmm = 0.0;
    double heightunits = 0.0; // the page's height in figure units: layout.height, or the height asked for
};

FigureLayout measuredlayout(const ModelState& s, const PlotState& ps, double fontscale,
                            const FigureRequest& r) {
    const DeviceGeometry d = devicegeometry(ps);
    const QPainterSurface metrics(nullptr, d.width, d.height, fontscale);
    return figurelayout(s, ps, metrics, r.legend, r.decimalsep, r.style);
}

void setsurface(PlotState& ps, int width, int height, const FigureRequest& r) {
    initplotstate(ps, std::clamp(width, smallestsurfacewidth, int{largestsurfaceside}),
                  std::clamp(height, smallestsurfaceheight, int{largestsurfaceside}));
    applystyle(ps, r.style);
}

// Settles the limits as the window's redraw would (the automatic fit, and the re-fit of a curve that
// never came into view), then lays the page out. For a journal page the text gets the whole number of
// figure units nearest to its size in points, and the plot surface the size that makes the page the
// width asked for at that text size (and the height asked for, or the surface's aspect).
Page pagefor(ModelState& s, int width, int height, bool automatic, const FigureRequest& r) {
    Page p;
    setsurface(p.ps, width, height, r);
    QPainterSurface measures(nullptr, width, height, 1.0);
    redraw(automatic, automatic, s, p.ps, measures, r.decimalsep);
    p.layout = measuredlayout(s, p.ps, 1.0, r);
    if (!r.journalsizes) {
        p.widthmm = p.layout.width * mmperinch / figuredpi;
        p.heightmm = p.layout.height * mmperinch / figuredpi;
        p.heightunits = p.layout.height;
        return p;
    }
    const double ptunits = r.fontpt * mmperinch / pointsperinch; // the text size in mm
    const int fontunits = std::max(1, roundeven32(ptunits * p.layout.width / r.widthmm));
    p.fontscale = static_cast<double>(fontunits) / plotfontpixels;
    const double unitspermm = fontunits / ptunits;
    const double aspect = static_cast<double>(height) / width;
    for (int pass = 0; pass < layoutpasses; ++pass) {
        p.layout = measuredlayout(s, p.ps, p.fontscale, r);
        const int w = roundeven32(r.widthmm * unitspermm) - (p.layout.width - p.ps.surfacewidth);
        const int h = r.heightmm > 0.0
                          ? roundeven32(r.heightmm * unitspermm) - (p.layout.height - p.ps.surfaceheight)
                          : roundeven32(w * aspect);
        if (w == p.ps.surfacewidth && h == p.ps.surfaceheight) break;
        setsurface(p.ps, w, h, r);
    }
    p.layout = measuredlayout(s, p.ps, p.fontscale, r);
    // The page is a whole number of units high; a height asked for is met exactly by a sliver of page
    // below the last unit.
    p.widthmm = r.widthmm;
    p.heightmm = r.heightmm > 0.0 ? r.heightmm : p.layout.height * r.widthmm / p.layout.width;
    p.heightunits = p.heightmm * p.layout.width / r.widthmm;
    return p;
}

// The figure drawn on a painter device, its transform already set.
bool paintfigure(QPainter& painter, const ModelState& s, const Page& p, const FigureRequest& r) {
    const Colour page = r.style.background;
    painter.fillRect(QRectF(0.0, 0.0, p.layout.width, p.heightunits), QColor(page.r, page.g, page.b));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QPainterSurface surface(&painter, devicegeometry(p.ps).width, devicegeometry(p.ps).height, p.fontscale);
    drawfigure(s, p.ps, surface, p.layout, r.decimalsep, r.style);
    return painter.end();
}

QByteArray svgfigure(const ModelState& s, const Page& p, const FigureRequest& r,
                     const std::string& settings) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    if (r.journalsizes) {
        // Tenths of a millimetre: the generator states the size in millimetres from these.
        svg.setResolution(svgtenthsperinch);
        svg.setSize(QSize(roundeven32(p.widthmm * tenthspermm), roundeven32(p.heightmm * tenthspermm)));
    } else {
        svg.setResolution(figuredpi);
        svg.setSize(QSize(p.layout.width, p.layout.height));
    }
    svg.setViewBox(QRectF(0.0, 0.0, p.layout.width, p.heightunits));
    svg.setTitle(QStringLiteral("Kelvora plot"));
    svg.setDescription(QStringLiteral("Reversal potentials of the ATP synthase and the adenine nucleotide "
                                      "translocase against the membrane potential"));
    QPainter painter;
    if (!painter.begin(&svg) || !paintfigure(painter, s, p, r)) return {};
    buffer.close();
    return withsvgmetadata(buffer.data(), settings);
}

QByteArray pdffigure(const ModelState& s, const Page& p, const FigureRequest& r,
                     const std::string& settings) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    const int resolution = r.journalsizes ? pdfresolution : figuredpi;
    pdf.setResolution(resolution);
    pdf.setPageSize(
        QPageSize(QSizeF(p.widthmm, p.heightmm), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pdf.setCreator(QStringLiteral("Kelvora " KELVORA_VERSION));
    pdf.setTitle(QStringLiteral("Kelvora plot"));
    pdf.setDocumentXmpMetadata(xmppacket(settings));
    QPainter painter;
    if (!painter.begin(&pdf)) return {};
    const double unit = resolution / mmperinch * p.widthmm / p.layout.width;
    painter.scale(unit, unit);
    if (!paintfigure(painter, s, p, r)) return {};
    buffer.close();
    return buffer.data();
}

} // namespace

QByteArray picturefile(QImage image, const char* format, const std::string& settings) {
    setimagemetadata(image, settings);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) return {};
    buffer.close();
    if (QByteArray(format) == "TIFF") return withtiffdescription(buffer.data(), settingselement(settings));
    return buffer.data();
}

namespace {

QByteArray rasterfigure(const ModelState& s, const Page& p, const FigureRequest& r, const char* format,
                        const std::string& settings) {
    const double pixelspermm = r.dpi / mmperinch;
    QImage image(roundeven32(p.widthmm * pixelspermm), roundeven32(p.heightmm * pixelspermm),
                 QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.fill(QColor(r.style.background.r, r.style.background.g, r.style.background.b));
    const int dotspermetre = roundeven32(pixelspermm / metrespermm);
    image.setDotsPerMeterX(dotspermetre);
    image.setDotsPerMeterY(dotspermetre);
    QPainter painter;
    if (!painter.begin(&image)) return {};
    const double unit = static_cast<double>(image.width()) / p.layout.width;
    painter.scale(unit, unit);
    if (!paintfigure(painter, s, p, r)) return {};
    return picturefile(image, format, settings);
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
    if (!journalstyleof(o, true, journal, message)) {
        std::cerr << c.prefix() << message << "\n";
        return exitbadusage;
    }
    if (const auto status = preparefigure(c)) return *status;

    const auto qt = offscreenqt(c);
    const FigureRequest r = figurerequest(o, journal);
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

FigureRequest figurerequest(const FigureOptions& o, bool journal) {
    FigureRequest r;
    r.style = figurestyle(o, journal);
    r.journalsizes = journal;
    r.widthmm = o.widthmm.value_or(defaultwidthmm);
    r.heightmm = o.heightmm.value_or(0.0);
    r.fontpt = o.fontpt.value_or(defaultfontpt);
    r.dpi = o.dpi.value_or(defaultdpi);
    r.legend = o.legend;
    r.decimalsep = figureseparator(o);
    return r;
}

QByteArray renderfigure(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                        const FigureRequest& request) {
    ModelState s = state;
    const bool raster = format == FigureFormat::png || format == FigureFormat::tiff;
    const char* imageformat = format == FigureFormat::png ? "PNG" : "TIFF";
    if (raster && !request.journalsizes) {
        // The window's own picture of the plot.
        ModelState drawn;
        const QImage image = renderplot(s, width, height, automatic, request.decimalsep, 1, &drawn);
        if (image.isNull()) return {};
        return picturefile(image, imageformat, configtext(drawn, ConfigForm::atclose, '.'));
    }
    const Page page = pagefor(s, width, height, automatic, request);
    // The settings of the limits the figure shows, so that the figure is drawn again without --auto.
    const std::string settings = configtext(s, ConfigForm::atclose, '.');
    if (format == FigureFormat::svg) return svgfigure(s, page, request, settings);
    if (format == FigureFormat::pdf) return pdffigure(s, page, request, settings);
    return rasterfigure(s, page, request, imageformat, settings);
}

} // namespace kelvora
