#include "tools/renderfigure.h"

#include <QBuffer>
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

#include "config/inifile.h"
#include "model/rounding.h"
#include "plot/figure.h"
#include "plot/qimagesurface.h"
#include "plot/qpaintersurface.h"
#include "plot/redraw.h"
#include "tools/exportoptions.h"
#include "tools/figuremeta.h"

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

// A figure's page: where everything stands in figure units, the plot state it is drawn with, the
// text's scale against the window's and the physical size.
struct Page {
    PlotState ps;
    FigureLayout layout;
    double fontscale = 1.0;
    double widthmm = 0.0;
    double heightmm = 0.0;
    double heightunits = 0.0; // the page's height in figure units: layout.height, or the height asked for
    // The titles, labels and legend fit the page asked for; false when the text is too large for it
    // (the plot would shrink to nothing and the rest be cut off).
    bool fits = true;
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
    ps.reference = r.reference;
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
    p.fits = p.layout.width <= roundeven32(r.widthmm * unitspermm) &&
             (!(r.heightmm > 0.0) || p.layout.height <= roundeven32(r.heightmm * unitspermm));
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
    surface.settextcolour(r.style.text);
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

QSize picturepixels(const Page& p, const FigureRequest& r) {
    const double pixelspermm = r.dpi / mmperinch;
    return {roundeven32(p.widthmm * pixelspermm), roundeven32(p.heightmm * pixelspermm)};
}

bool picturefits(QSize pixels) {
    return pixels.width() <= largestsurfaceside && pixels.height() <= largestsurfaceside;
}

QByteArray rasterfigure(const ModelState& s, const Page& p, const FigureRequest& r, const char* format,
                        const std::string& settings) {
    const double pixelspermm = r.dpi / mmperinch;
    const QSize pixels = picturepixels(p, r);
    if (!picturefits(pixels)) return {};
    QImage image(pixels, QImage::Format_RGB32);
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

} // namespace

QImage renderplot(const ModelState& state, int width, int height, bool automatic, char decimalsep, int scale,
                  ModelState* drawn, const std::optional<ModelState>& reference) {
    ModelState s = state;
    PlotState ps;
    initplotstate(ps, width, height, plotcolours::background, scale);
    ps.reference = reference;
    QImageSurface surface(devicepixels(width, scale), devicepixels(height, scale), scale);
    // Switching the toggle on redraws with autoflag while the toggle is checked; start-up redraws
    // without.
    redraw(automatic, automatic, s, ps, surface, decimalsep);
    if (drawn) *drawn = s;
    QImage picture = surface.image();
    // The density goes into the file too, so that the picture prints at the size of the plain one.
    if (scale > 1) {
        picture.setDotsPerMeterX(picture.dotsPerMeterX() * scale);
        picture.setDotsPerMeterY(picture.dotsPerMeterY() * scale);
    }
    return picture;
}

std::string figureproblem(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                          const FigureRequest& request) {
    ModelState s = state;
    const Page page = pagefor(s, width, height, automatic, request);
    if (!page.fits)
        return "the titles and labels at this --font-size do not fit a figure of this --width and "
               "--height; ask for a smaller --font-size or a larger figure";
    const QSize pixels = picturepixels(page, request);
    if (format == FigureFormat::svg || format == FigureFormat::pdf || picturefits(pixels)) return {};
    return "the picture would be " + std::to_string(pixels.width()) + "x" + std::to_string(pixels.height()) +
           " pixels, more than " + std::to_string(largestsurfaceside) +
           " a side; ask for a lower --dpi or a smaller figure";
}

QByteArray renderfigure(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                        const FigureRequest& request) {
    ModelState s = state;
    const bool raster = format == FigureFormat::png || format == FigureFormat::tiff;
    const char* imageformat = format == FigureFormat::png ? "PNG" : "TIFF";
    if (raster && !request.journalsizes) {
        // The window's own picture of the plot.
        ModelState drawn;
        const QImage image = renderplot(s, width, height, automatic, request.decimalsep, request.scale,
                                        &drawn, request.reference);
        if (image.isNull()) return {};
        return picturefile(image, imageformat, configtext(drawn, ConfigForm::atclose, '.'));
    }
    const Page page = pagefor(s, width, height, automatic, request);
    if (!page.fits) return {};
    // The settings of the limits the figure shows, so that the figure is drawn again without --auto.
    const std::string settings = configtext(s, ConfigForm::atclose, '.');
    if (format == FigureFormat::svg) return svgfigure(s, page, request, settings);
    if (format == FigureFormat::pdf) return pdffigure(s, page, request, settings);
    return rasterfigure(s, page, request, imageformat, settings);
}

} // namespace kelvora
