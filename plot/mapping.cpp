#include "plot/mapping.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

double rowvalue(const ModelState& s, const PlotState& ps, int i) {
    const double n = ps.plotheight;
    return (s.ymax - s.ymin) * (n - i) / n + s.ymin + ps.yshift;
}

double valueoffset(const ModelState& s, const PlotState& ps, double e) {
    double p = (e + ps.xshift - s.xmin) / (s.xmax - s.xmin) * ps.plotwidth;
    if (p > columnclamp) p = columnclamp;
    if (p < -columnclamp) p = -columnclamp;
    return p;
}

int16_t offsetcolumn(double p) {
    // NaN counts as 0; anything else is clamped again, so the conversion below is always defined and the
    // column fits 16 bits. Truncation corrected downward is the floor, without a library call per row.
    if (std::isnan(p)) return leftmargin;
    const double c = std::clamp(p, -columnclamp, columnclamp);
    int whole = static_cast<int>(c);
    if (whole > c) --whole;
    return static_cast<int16_t>(leftmargin + whole);
}

double pixeltox(const ModelState& s, const PlotState& ps, double X) {
    return (X - leftmargin) / ps.plotwidth * (s.xmax - s.xmin) + s.xmin;
}

double pixeltoy(const ModelState& s, const PlotState& ps, double Y) {
    const double n = ps.plotheight;
    return ((topmargin + n) - Y) / n * (s.ymax - s.ymin) + s.ymin;
}

} // namespace kelvora
