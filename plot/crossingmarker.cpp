#include "plot/crossingmarker.h"

#include <cmath>

#include "model/crossingtext.h"

namespace kelvora {

bool drawcrossingmarker(const ModelState& s, const PlotState& ps, Surface& surface) {
    const std::optional<CrossingPosition> at = crossingposition(s);
    if (!at) return false;
    // The visible limits: a drag shows the drawing displaced by the offsets until the release.
    const double xlo = s.xmin - ps.xshift;
    const double ylo = s.ymin + ps.yshift;
    const double fx = (at->potential - xlo) / (s.xmax - s.xmin);
    const double fy = (at->y - ylo) / (s.ymax - s.ymin);
    if (!(fx >= 0.0 && fx <= 1.0 && fy >= 0.0 && fy <= 1.0)) return false;
    const int x = leftmargin + static_cast<int>(std::floor(fx * ps.plotwidth));
    const int y = topmargin + ps.plotheight - static_cast<int>(std::floor(fy * ps.plotheight));
    const DeviceGeometry d = devicegeometry(ps);
    // A square ring one logical pixel wide, black outside and white inside, so that it reads on every zone
    // and on both curves.
    const auto ring = [&](int r, Colour c) {
        const int left = d.at(x - r), top = d.at(y - r), side = d.at(x + r + 1) - left, one = d.length(1);
        surface.fillrect(left, top, side, one, c);
        surface.fillrect(left, d.at(y + r), side, one, c);
        surface.fillrect(left, top, one, side, c);
        surface.fillrect(d.at(x + r), top, one, side, c);
    };
    ring(crossingmarkerradius, ps.markeredge);
    ring(crossingmarkerradius - 1, ps.markercentre);
    return true;
}

} // namespace kelvora
