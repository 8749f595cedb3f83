#include "plot/figure.h"

#include "model/rounding.h"
#include "plot/titles.h"
#include "plot/ticks.h"
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
constexpr double swatchgap = 6.0; // between a swatch and its text
constexpr double rowgap = 4.0;    // between legend lines

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

int whole(double x) {
    return roundeven32(x);
}

double legendrowheight(const Surface& metrics, const DeviceGeometry& d) {
    return std::ceil(std::max(metrics.textheight("Erev"), d.scale * swatchheight) + d.scale * rowgap);
}

} // namespace

std::vector<LegendEntry> legendentries(const PlotState& ps) {
    return {
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
}

FigureLayout figurelayout(const ModelState& s, const PlotState& ps, const Surface& metrics, bool legend,
                          char decimalsep) {
    const DeviceGeometry d = devicegeometry(ps);
    TextExtents labels(metrics);
    drawticks(s, ps, labels, decimalsep);
    const double labelleft = std::min(labels.left, static_cast<double>(d.left));
    const double labelbottom = std::max(labels.bottom, static_cast<double>(d.bottom + d.length(2)));

    FigureLayout f;
    const std::string ytitle = yaxistitle(s.yaxis);
    const std::string xtitle = xaxistitle();
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
        const std::vector<LegendEntry> entries = legendentries(ps);
        for (const LegendEntry& entry : entries)
            widest = std::max(widest, metrics.textwidth(entry.text));
        hold(f.legendx, f.legendy, f.legendx + d.scale * (swatchwidth + swatchgap) + widest,
             f.legendy + entries.size() * legendrowheight(metrics, d));
    }

    f.originx = -static_cast<int>(std::floor(left));
    f.originy = -static_cast<int>(std::floor(top));
    f.width = static_cast<int>(std::ceil(right)) + f.originx;
    f.height = static_cast<int>(std::ceil(bottom)) + f.originy;
    return f;
}

void drawfigure(const ModelState& s, const PlotState& ps, VectorSurface& surface, const FigureLayout& layout,
                char decimalsep) {
    const DeviceGeometry d = devicegeometry(ps);
    surface.setorigin(layout.originx, layout.originy);
    surface.fillrect(-layout.originx, -layout.originy, layout.width, layout.height, ps.backcolour);
    drawvectorplot(s, ps, surface, decimalsep);
    surface.printupward(layout.ytitlex, layout.ytitley, yaxistitle(s.yaxis));
    surface.print(layout.xtitlex, layout.xtitley, xaxistitle());
    if (!layout.legend) return;

    const double rowheight = legendrowheight(surface, d);
    double y = layout.legendy;
    for (const LegendEntry& entry : legendentries(ps)) {
        const double textheight = surface.textheight(entry.text);
        const double x0 = layout.legendx;
        const double x1 = x0 + d.scale * swatchwidth;
        const double y0 = y + (textheight - d.scale * swatchheight) / 2.0;
        const double y1 = y0 + d.scale * swatchheight;
        surface.polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, entry.swatch);
        if (entry.curve) {
            const double middle = (y0 + y1) / 2.0;
            surface.polyline({{x0, middle}, {x1, middle}}, d.length(curvewidth), entry.line);
        }
        surface.print(whole(x1 + d.scale * swatchgap), whole(y), entry.text);
        y += rowheight;
    }
}

} // namespace kelvora
