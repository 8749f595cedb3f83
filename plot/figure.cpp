#include "plot/figure.h"

#include "plot/reference.h"

#include "model/rounding.h"
#include "plot/curves.h"
#include "plot/frame.h"
#include "plot/ticks.h"
#include "plot/titles.h"
#include "plot/vectorplot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvora {
namespace {

// Figure spacing, in logical pixels.
constexpr double titlegap = 6.0;     // between the tick labels and a title
constexpr double legendgap = 10.0;   // between the x title and the legend
constexpr double pagemargin = 8.0;   // around whatever reaches beyond the plot surface
constexpr double swatchwidth = 16.0; // legend swatches
constexpr double swatchheight = 10.0;
constexpr double swatchgap = 6.0;     // between a swatch and its text
constexpr double rowgap = 4.0;        // between legend lines
constexpr double outlinewidth = 0.75; // each side of an outlined curve

// Measures like the surface it wraps, draws nothing, and keeps the extent of every text printed: how
// far the tick labels reach.
class TextExtents final : public Surface {
  public:
    explicit TextExtents(const Surface& metrics) : metrics_(metrics) {}

    int width() const override { return metrics_.width(); }
    int height() const override { return metrics_.height(); }
    void line(int, int, int, int, Colour) override {}
    void pset(int, int, Colour) override {}
    void fillrect(int, int, int, int, Colour) override {}
    double textwidth(const std::string& text) const override { return metrics_.textwidth(text); }
    double textheight(const std::string& text) const override { return metrics_.textheight(text); }
    void print(int x, int y, const std::string& text) override {
        left = std::min(left, static_cast<double>(x));
        top = std::min(top, static_cast<double>(y));
        right = std::max(right, x + textwidth(text));
        bottom = std::max(bottom, y + textheight(text));
    }

    static constexpr double none = std::numeric_limits<double>::infinity();
    double left = none;
    double top = none;
    double right = -none;
    double bottom = -none;

  private:
    const Surface& metrics_;
};

std::string titletext(const std::string& text, const FigureStyle& style) {
    return style.ticks.realminus ? withrealminus(text) : text;
}

int whole(double x) {
    return roundeven32(x);
}

// An entry's text in lines no wider than width (at spaces; a word wider than that stands alone), or in
// one line when width is not positive.
std::vector<std::string> legendlines(const std::string& text, const Surface& metrics, double width) {
    if (!(width > 0.0)) return {text};
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, space - start);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && metrics.textwidth(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        start = space + 1;
    }
    lines.push_back(line);
    return lines;
}

// The width the legend's text may take: in the journal style the plot area's, so that the legend never
// widens the page; otherwise unlimited.
double legendtextwidth(const FigureLayout& f, const DeviceGeometry& d, const FigureStyle& style) {
    if (!style.wraplegend) return 0.0;
    return std::max(1.0, d.right - f.legendx - d.scale * (swatchwidth + swatchgap));
}

double legendrowheight(const Surface& metrics, const DeviceGeometry& d) {
    return std::ceil(std::max(metrics.textheight("Erev"), d.scale * swatchheight) + d.scale * rowgap);
}

} // namespace

std::vector<LegendEntry> legendentries(const PlotState& ps) {
    std::vector<LegendEntry> entries{
        {plotcolours::leftzone,
         false,
         {},
         "\u0394\u03A8m below both reversal potentials: the translocase exports ATP, the synthase makes ATP"},
        {plotcolours::betweenzone,
         false,
         {},
         "ErevANT < \u0394\u03A8m < ErevATPase: the translocase imports ATP, the synthase still makes ATP"},
        {plotcolours::reversedzone,
         false,
         {},
         "ErevATPase < \u0394\u03A8m < ErevANT: the synthase hydrolyses ATP, the translocase still exports "
         "it"},
        {plotcolours::rightzone,
         false,
         {},
         "\u0394\u03A8m above both reversal potentials: both enzymes reversed"},
        {plotcolours::rightzone, true, ps.antcolour, "ErevANT, reversal potential of the translocase"},
        {plotcolours::rightzone, true, ps.atpasecolour, "ErevATPase, reversal potential of the ATP synthase"},
    };
    if (ps.reference) {
        entries.push_back(
            {plotcolours::rightzone, true, ps.antcolour, "ErevANT of the reference settings (dashed)", true});
        entries.push_back({plotcolours::rightzone, true, ps.atpasecolour,
                           "ErevATPase of the reference settings (dashed)", true});
    }
    return entries;
}

FigureLayout figurelayout(const ModelState& s, const PlotState& ps, const Surface& metrics, bool legend,
                          char decimalsep, const FigureStyle& style) {
    const DeviceGeometry d = devicegeometry(ps);
    TextExtents labels(metrics);
    drawticks(s, ps, labels, decimalsep, style.ticks);
    const double labelleft = std::min(labels.left, static_cast<double>(d.left));
    const double labelbottom = std::max(labels.bottom, static_cast<double>(d.bottom + d.length(2)));

    FigureLayout f;
    const std::string ytitle = titletext(yaxistitle(s.yaxis), style);
    const std::string xtitle = titletext(xaxistitle(), style);
    const double ylength = metrics.textwidth(ytitle);
    const double ybreadth = metrics.textheight(ytitle);
    f.ytitlex = whole(labelleft - d.scale * titlegap - ybreadth);
    f.ytitley = whole(d.top + d.rows / 2.0 - ylength / 2.0);
    const double xlength = metrics.textwidth(xtitle);
    const double xbreadth = metrics.textheight(xtitle);
    f.xtitlex = whole(d.left + d.plotwidth / 2.0 - xlength / 2.0);
    f.xtitley = whole(labelbottom + d.scale * titlegap);

    // The box that holds the surface, and the tick labels, each title and the legend with a margin round
    // them.
    const double margin = d.scale * pagemargin;
    double left = 0.0;
    double top = 0.0;
    double right = d.width;
    double bottom = d.height;
    const auto hold = [&](double x0, double y0, double x1, double y1) {
        left = std::min(left, x0 - margin);
        top = std::min(top, y0 - margin);
        right = std::max(right, x1 + margin);
        bottom = std::max(bottom, y1 + margin);
    };
    if (labels.left < labels.right) hold(labels.left, labels.top, labels.right, labels.bottom);
    hold(f.ytitlex, f.ytitley, f.ytitlex + ybreadth, f.ytitley + ylength);
    hold(f.xtitlex, f.xtitley, f.xtitlex + xlength, f.xtitley + xbreadth);

    f.legend = legend;
    if (legend) {
        f.legendx = f.ytitlex;
        f.legendy = whole(f.xtitley + xbreadth + d.scale * legendgap);
        double widest = 0.0;
        double height = 0.0;
        for (const LegendEntry& entry : legendentries(ps)) {
            const auto lines = legendlines(entry.text, metrics, legendtextwidth(f, d, style));
            for (const std::string& line : lines)
                widest = std::max(widest, metrics.textwidth(line));
            height += legendrowheight(metrics, d) + (lines.size() - 1) * metrics.textheight(entry.text);
        }
        hold(f.legendx, f.legendy, f.legendx + d.scale * (swatchwidth + swatchgap) + widest,
             f.legendy + height);
    }

    f.originx = -static_cast<int>(std::floor(left));
    f.originy = -static_cast<int>(std::floor(top));
    f.width = static_cast<int>(std::ceil(right)) + f.originx;
    f.height = static_cast<int>(std::ceil(bottom)) + f.originy;
    return f;
}

void drawfigure(const ModelState& s, const PlotState& ps, VectorSurface& surface, const FigureLayout& layout,
                char decimalsep, const FigureStyle& style) {
    const DeviceGeometry d = devicegeometry(ps);
    surface.setorigin(layout.originx, layout.originy);
    surface.fillrect(-layout.originx, -layout.originy, layout.width, layout.height, style.background);
    // The plot area: the shapes and strokes of vectorplot in the style, then the same frame as the redraw.
    surface.fillrect(0, 0, d.width, d.height, ps.backcolour);
    const VectorPlot plot = vectorplot(s, ps);
    for (const FilledShape& shape : plot.shapes)
        surface.polygon(shape.points, stylezone(style, shape.colour));
    const double outline = 2.0 * d.scale * outlinewidth;
    // The outlines of a set of strokes first, so that none covers a neighbour's line.
    const auto drawstrokes = [&](const std::vector<Stroke>& strokes) {
        if (style.outlinedcurves) {
            for (const Stroke& stroke : strokes)
                surface.polyline(stroke.points, stroke.width + outline, outlinecolour(stroke.colour));
        }
        for (const Stroke& stroke : strokes)
            surface.polyline(stroke.points, stroke.width, stroke.colour);
    };
    drawstrokes(plot.strokes);
    drawstrokes(referencestrokes(s, ps));
    drawframe(ps, surface);
    drawticks(s, ps, surface, decimalsep, style.ticks);
    surface.printupward(layout.ytitlex, layout.ytitley, titletext(yaxistitle(s.yaxis), style));
    surface.print(layout.xtitlex, layout.xtitley, titletext(xaxistitle(), style));
    if (!layout.legend) return;

    const double rowheight = legendrowheight(surface, d);
    double y = layout.legendy;
    for (const LegendEntry& entry : legendentries(ps)) {
        const double textheight = surface.textheight(entry.text);
        const double x0 = layout.legendx;
        const double x1 = x0 + d.scale * swatchwidth;
        const double y0 = y + (textheight - d.scale * swatchheight) / 2.0;
        const double y1 = y0 + d.scale * swatchheight;
        surface.polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, stylezone(style, entry.swatch));
        if (entry.curve && entry.dashed) {
            const double middle = (y0 + y1) / 2.0;
            const double dash = d.scale * referencedash;
            std::vector<Stroke> dashes;
            for (double x = x0; x < x1; x += dash + d.scale * referencegap)
                dashes.push_back({entry.line,
                                  static_cast<double>(d.length(1)),
                                  {{x, middle}, {std::min(x + dash, x1), middle}}});
            drawstrokes(dashes);
        } else if (entry.curve) {
            const double middle = (y0 + y1) / 2.0;
            if (style.outlinedcurves)
                surface.polyline({{x0, middle}, {x1, middle}}, d.length(curvewidth) + outline,
                                 outlinecolour(entry.line));
            surface.polyline({{x0, middle}, {x1, middle}}, d.length(curvewidth), entry.line);
        }
        const auto lines = legendlines(entry.text, surface, legendtextwidth(layout, d, style));
        for (std::size_t k = 0; k < lines.size(); ++k)
            surface.print(whole(x1 + d.scale * swatchgap), whole(y + k * textheight), lines[k]);
        y += rowheight + (lines.size() - 1) * textheight;
    }
}

} // namespace kelvora
