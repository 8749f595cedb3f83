#include "plot/reference.h"

#include <cmath>

#include "model/potentials.h"
#include "plot/mapping.h"

namespace kelvora {
namespace {

// One curve's dashes: the path through the points splits into pieces of dash length with gaps between;
// a point that cannot be drawn (not computed, outside the plot area) breaks the path.
class Dasher {
  public:
    Dasher(Colour colour, double width, double dash, double gap, std::vector<Stroke>& out)
        : colour_(colour), width_(width), dash_(dash), gap_(gap), out_(out) {}

    void add(bool drawn, Point p) {
        if (!drawn) {
            flush();
            have_ = false;
            return;
        }
        if (have_)
            walk(last_, p);
        else if (phase_ < dash_)
            current_.points = {p};
        last_ = p;
        have_ = true;
    }
    void flush() {
        if (current_.points.size() > 1) out_.push_back(current_);
        current_.points.clear();
    }

  private:
    // Moves along from a to b, opening and closing dashes where the pattern says.
    void walk(Point a, Point b) {
        double length = std::hypot(b.x - a.x, b.y - a.y);
        double done = 0.0;
        while (length - done > 0.0) {
            const double period = dash_ + gap_;
            const double left = (phase_ < dash_ ? dash_ : period) - phase_;
            const double step = std::min(left, length - done);
            done += step;
            phase_ += step;
            const double t = done / length;
            const Point at{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
            if (phase_ <= dash_) {
                if (current_.points.empty()) current_.points.push_back(a);
                current_.points.push_back(at);
                if (phase_ == dash_) flush();
            } else if (phase_ >= period) {
                phase_ = 0.0;
                current_.points = {at};
            }
        }
    }

    Colour colour_;
    double width_;
    double dash_;
    double gap_;
    std::vector<Stroke>& out_;
    Stroke current_{colour_, width_, {}};
    Point last_;
    bool have_ = false;
    double phase_ = 0.0;
};

} // namespace

std::vector<Stroke> referencestrokes(const ModelState& s, const PlotState& ps) {
    std::vector<Stroke> strokes;
    if (!ps.reference) return strokes;
    ModelState r = *ps.reference;
    r.yaxis = s.yaxis;
    const PotentialTerms terms = prepareterms(r);
    const DeviceGeometry d = devicegeometry(ps);
    const double width = d.length(1);
    Dasher ant(ps.antcolour, width, referencedash * d.scale, referencegap * d.scale, strokes);
    Dasher atpase(ps.atpasecolour, width, referencedash * d.scale, referencegap * d.scale, strokes);
    const auto inside = [&](double p) { return std::isfinite(p) && p >= 0.0 && p <= d.plotwidth; };
    for (int i = 0; i < d.rows; ++i) {
        const double y = rowvalue(s, ps, d.rows, i);
        const double centre = d.top + i + 0.5;
        Potentials e{};
        const bool computed = y > 0.0;
        if (computed) e = potentialsat(terms, y);
        const double pa = computed ? valueoffset(s, ps, d, e.ant) : NAN;
        const double pb = computed ? valueoffset(s, ps, d, e.atpase) : NAN;
        ant.add(inside(pa), {d.left + pa, centre});
        atpase.add(inside(pb), {d.left + pb, centre});
    }
    ant.flush();
    atpase.flush();
    return strokes;
}

void drawreference(const ModelState& s, const PlotState& ps, Surface& surface) {
    for (const Stroke& stroke : referencestrokes(s, ps)) {
        const auto pixel = [](double v) { return static_cast<int>(std::floor(v)); };
        for (std::size_t k = 1; k < stroke.points.size(); ++k) {
            const Point a = stroke.points[k - 1];
            const Point b = stroke.points[k];
            surface.line(pixel(a.x), pixel(a.y), pixel(b.x), pixel(b.y), stroke.colour);
        }
        const Point end = stroke.points.back();
        surface.pset(pixel(end.x), pixel(end.y), stroke.colour);
    }
}

} // namespace kelvora
