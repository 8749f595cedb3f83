// The plot area as polygons and lines. The zone edges are the curves themselves, sampled finely along
// the rows and joined by straight lines, so the figure stays smooth at any magnification.
#include "plot/vectorplot.h"

#include "model/potentials.h"
#include "plot/mapping.h"

#include <algorithm>
#include <cmath>

namespace kelvora {
namespace {

// Between two samples whose curves lie more than this many logical pixels apart sideways (within
// the plot area), a sample is taken halfway; at most this many times in a row.
constexpr double finestep = 1.0;
constexpr int maxhalvings = 10;
// A curve this far outside the plot area counts as at its edge when deciding on more samples.
constexpr double outsidemargin = 2.0;

// A sample at row position t (0 at the top of the plot area, fractional between rows): the curves'
// offsets from the plot area's left edge, in device pixels, when the row can be computed.
struct Sample {
    double t = 0.0;
    double p = 0.0; // translocase
    double q = 0.0; // synthase
    bool computed = false;
};

class Sampler {
  public:
    Sampler(const ModelState& s, const PlotState& ps)
        : s_(s), ps_(ps), d_(devicegeometry(ps)), terms_(prepareterms(s)) {}

    const DeviceGeometry& geometry() const { return d_; }

    // The rule of drawrows at a row position: at a whole row the same y value, the same potentials
    // and the same clamped offsets.
    Sample at(double t) const {
        Sample r;
        r.t = t;
        const double y = rowvalue(s_, ps_, d_.rows, t);
        if (!(y > 0.0)) return r;
        const Potentials e = potentialsat(terms_, y);
        if (!std::isfinite(e.ant) || !std::isfinite(e.atpase)) return r;
        r.p = valueoffset(s_, ps_, d_, e.ant);
        r.q = valueoffset(s_, ps_, d_, e.atpase);
        r.computed = std::isfinite(r.p) && std::isfinite(r.q);
        return r;
    }

    // Samples strictly between a and b where a curve moves too far sideways between them.
    void refine(const Sample& a, const Sample& b, int depth, std::vector<Sample>& out) const {
        if (depth >= maxhalvings || !a.computed || !b.computed || !apart(a, b)) return;
        const Sample middle = at((a.t + b.t) / 2.0);
        refine(a, middle, depth + 1, out);
        out.push_back(middle);
        refine(middle, b, depth + 1, out);
    }

  private:
    bool apart(const Sample& a, const Sample& b) const {
        const double lo = -outsidemargin * d_.scale;
        const double hi = d_.plotwidth + outsidemargin * d_.scale;
        const auto visible = [&](double x) { return std::clamp(x, lo, hi); };
        const double step = finestep * d_.scale;
        return std::fabs(visible(a.p) - visible(b.p)) > step || std::fabs(visible(a.q) - visible(b.q)) > step;
    }

    const ModelState& s_;
    const PlotState& ps_;
    DeviceGeometry d_;
    PotentialTerms terms_;
};

// Between consecutive samples, the points where a curve meets the other or an edge of the plot area
// (offsets 0 and width): the curves are straight between samples, so these are exact, and every piece
// between two points then lies wholly on one side of each.
std::vector<Sample> withcrossings(const std::vector<Sample>& run, double width) {
    std::vector<Sample> out;
    for (std::size_t i = 0; i < run.size(); ++i) {
        out.push_back(run[i]);
        if (i + 1 == run.size()) break;
        const Sample& a = run[i];
        const Sample& b = run[i + 1];
        std::vector<double> fractions;
        const auto crossing = [&](double fa, double fb) {
            if ((fa < 0.0 && fb > 0.0) || (fa > 0.0 && fb < 0.0)) fractions.push_back(fa / (fa - fb));
        };
        crossing(a.p - a.q, b.p - b.q);
        for (double edge : {0.0, width}) {
            crossing(a.p - edge, b.p - edge);
            crossing(a.q - edge, b.q - edge);
        }
        std::sort(fractions.begin(), fractions.end());
        for (double u : fractions) {
            Sample c;
            c.t = a.t + u * (b.t - a.t);
            c.p = a.p + u * (b.p - a.p);
            c.q = a.q + u * (b.q - a.q);
            c.computed = true;
            out.push_back(c);
        }
    }
    return out;
}

// The samples of the whole plot area: zonesamplesperrow to a row, more where a curve moves fast.
std::vector<Sample> samplerows(const Sampler& sampler) {
    const int total = zonesamplesperrow * sampler.geometry().rows;
    std::vector<Sample> samples;
    samples.push_back(sampler.at(0.0));
    for (int j = 1; j <= total; ++j) {
        const Sample next = sampler.at(static_cast<double>(j) / zonesamplesperrow);
        sampler.refine(samples.back(), next, 0, samples);
        samples.push_back(next);
    }
    return samples;
}

// The stretches of computed samples. A sample stands for the rows down to the next one, as a pixel
// row stands for itself in drawrows: a stretch followed by rows that are not computed keeps its last
// curve positions down to the next sample.
std::vector<std::vector<Sample>> computedstretches(const std::vector<Sample>& samples) {
    std::vector<std::vector<Sample>> stretches;
    std::vector<Sample> current;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i].computed) {
            current.push_back(samples[i]);
            continue;
        }
        if (!current.empty()) {
            Sample held = current.back();
            held.t = samples[i].t;
            current.push_back(held);
            stretches.push_back(std::move(current));
            current.clear();
        }
    }
    if (current.size() > 1) stretches.push_back(std::move(current));
    return stretches;
}

struct Edges {
    double left, top; // device pixels: the plot area's top-left corner
    double width;     // W
    double x(double offset) const { return left + std::clamp(offset, 0.0, width); }
    double y(double t) const { return top + t; }
};

// The polygon between the left edge of the plot area and a boundary through run[first ... last];
// nothing when it has no area.
void leftpolygon(const Edges& e, const std::vector<Sample>& run, std::size_t first, std::size_t last,
                 double (*boundary)(const Sample&), Colour colour, std::vector<FilledShape>& shapes) {
    FilledShape shape{colour, {}};
    bool area = false;
    for (std::size_t i = first; i <= last; ++i) {
        const double x = e.x(boundary(run[i]));
        if (x > e.left) area = true;
        shape.points.push_back({x, e.y(run[i].t)});
    }
    if (!area) return;
    shape.points.push_back({e.left, e.y(run[last].t)});
    shape.points.push_back({e.left, e.y(run[first].t)});
    shapes.push_back(std::move(shape));
}

double leftcurve(const Sample& s) {
    return std::min(s.p, s.q);
}
double rightcurve(const Sample& s) {
    return std::max(s.p, s.q);
}

// The zones of one stretch of computed rows, in drawing order.
void stretchzones(const Edges& e, const std::vector<Sample>& run, std::vector<FilledShape>& shapes) {
    const double top = e.y(run.front().t);
    const double bottom = e.y(run.back().t);
    const double right = e.left + e.width;
    shapes.push_back(
        {plotcolours::rightzone, {{e.left, top}, {right, top}, {right, bottom}, {e.left, bottom}}});

    // Between the curves: dark red where the translocase lies left, orange where the synthase lies left
    // of or on it; each piece between two points lies on one side, the crossings being points.
    const auto between = [&](std::size_t i) {
        return run[i].p + run[i + 1].p < run[i].q + run[i + 1].q ? plotcolours::betweenzone
                                                                 : plotcolours::reversedzone;
    };
    std::size_t first = 0;
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
        const bool last = i + 2 == run.size();
        if (last || between(i + 1) != between(i)) {
            leftpolygon(e, run, first, i + 1, rightcurve, between(i), shapes);
            first = i + 1;
        }
    }
    leftpolygon(e, run, 0, run.size() - 1, leftcurve, plotcolours::leftzone, shapes);
}

// One curve as lines through its visible pieces, drawn from its zone edge rightward as drawrows draws
// it: a piece is visible where the edge lies inside the plot area.
void curvestrokes(const Edges& e, const std::vector<Sample>& run, double Sample::*curve, double thickness,
                  Colour colour, std::vector<Stroke>& strokes) {
    Stroke stroke{colour, thickness, {}};
    const auto flush = [&] {
        if (stroke.points.size() > 1) strokes.push_back(stroke);
        stroke.points.clear();
    };
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
        const double middle = (run[i].*curve + run[i + 1].*curve) / 2.0;
        if (middle < 0.0 || middle > e.width) {
            flush();
            continue;
        }
        if (stroke.points.empty())
            stroke.points.push_back({e.left + run[i].*curve + thickness / 2.0, e.y(run[i].t)});
        stroke.points.push_back({e.left + run[i + 1].*curve + thickness / 2.0, e.y(run[i + 1].t)});
    }
    flush();
}

// A horizontal line along the bottom row between two columns, clipped to the plot area.
void bottomline(const Edges& e, double from, double to, double rowcentre, double thickness, Colour colour,
                std::vector<Stroke>& strokes) {
    const double a = std::clamp(from, e.left, e.left + e.width);
    const double b = std::clamp(to, e.left, e.left + e.width);
    if (b > a) strokes.push_back({colour, thickness, {{a, rowcentre}, {b, rowcentre}}});
}

} // namespace

VectorPlot vectorplot(const ModelState& s, const PlotState& ps) {
    const Sampler sampler(s, ps);
    const DeviceGeometry& d = sampler.geometry();
    const Edges e{static_cast<double>(d.left), static_cast<double>(d.top), static_cast<double>(d.plotwidth)};
    const double thickness = d.length(curvewidth);

    VectorPlot plot;
    const double bottom = d.top + d.rows;
    plot.shapes.push_back(
        {plotcolours::betweenzone,
         {{e.left, e.top}, {e.left + e.width, e.top}, {e.left + e.width, bottom}, {e.left, bottom}}});
    if (d.rows <= 0 || d.plotwidth <= 0) return plot;

    std::vector<std::vector<Sample>> runs;
    for (const std::vector<Sample>& stretch : computedstretches(samplerows(sampler)))
        runs.push_back(withcrossings(stretch, e.width));
    for (const std::vector<Sample>& run : runs)
        stretchzones(e, run, plot.shapes);
    // The synthase's curve last: where the two meet, it lies on top.
    for (const std::vector<Sample>& run : runs)
        curvestrokes(e, run, &Sample::p, thickness, ps.antcolour, plot.strokes);
    for (const std::vector<Sample>& run : runs)
        curvestrokes(e, run, &Sample::q, thickness, ps.atpasecolour, plot.strokes);

    // With the ratio on the y axis from 0, drawrows runs the curves out along the bottom row, one device
    // pixel high, when that row is computed.
    if (s.ymin + ps.yshift == 0.0 && s.yaxis == ratioaxis) {
        const Sample last = sampler.at(d.rows - 1);
        if (last.computed) {
            const double onepixel = d.length(1);
            const double centre = bottom - 0.5;
            bottomline(e, e.left, e.left + last.p + onepixel, centre, 1.0, ps.antcolour, plot.strokes);
            bottomline(e, e.left + last.q - onepixel, e.left + e.width, centre, 1.0, ps.atpasecolour,
                       plot.strokes);
        }
    }
    return plot;
}

} // namespace kelvora
