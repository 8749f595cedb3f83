#include "plot/mapping.h"

#include "model/rounding.h"

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
    // Clamped again so that any offset fits 16 bits; floor32 turns NaN into 0.
    return static_cast<int16_t>(leftmargin + floor32(std::clamp(p, -columnclamp, columnclamp)));
}

double pixeltox(const ModelState& s, const PlotState& ps, double X) {
    return (X - leftmargin) / ps.plotwidth * (s.xmax - s.xmin) + s.xmin;
}

double pixeltoy(const ModelState& s, const PlotState& ps, double Y) {
    const double n = ps.plotheight;
    return ((topmargin + n) - Y) / n * (s.ymax - s.ymin) + s.ymin;
}

} // namespace kelvora
