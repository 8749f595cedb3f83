#include "plot/mapping.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

double rowvalue(const ModelState& s, const PlotState& ps, int n, double i) {
    return rowvalue(s, n, i) + ps.yshift;
}

double valueoffset(const ModelState& s, const PlotState& ps, const DeviceGeometry& d, double e) {
    const double limit = columnclamp * d.scale;
    double p = (e + ps.xshift - s.xmin) / (s.xmax - s.xmin) * d.plotwidth;
    if (p > limit) p = limit;
    if (p < -limit) p = -limit;
    return p;
}

int offsetcolumn(const DeviceGeometry& d, double p) {
    // NaN counts as 0; anything else is clamped again, so the conversion below is always defined.
    // Truncation corrected downward is the floor, without a library call per row.
    if (std::isnan(p)) return d.left;
    const double limit = columnclamp * d.scale;
    const double c = std::clamp(p, -limit, limit);
    int whole = static_cast<int>(c);
    if (whole > c) --whole;
    return d.left + whole;
}

double pixeltox(const ModelState& s, const PlotState& ps, double X) {
    return (X - leftmargin) / ps.plotwidth * (s.xmax - s.xmin) + s.xmin;
}

double pixeltoy(const ModelState& s, const PlotState& ps, double Y) {
    const double n = ps.plotheight;
    return ((topmargin + n) - Y) / n * (s.ymax - s.ymin) + s.ymin;
}

} // namespace kelvora
