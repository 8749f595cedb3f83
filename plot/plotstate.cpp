#include "plot/plotstate.h"

#include "model/rounding.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

// Scales beyond these are no use to any screen or export and would only overflow the geometry.
constexpr double smallestscale = 1.0 / 16.0;
constexpr double largestscale = 64.0;

} // namespace

void initplotstate(PlotState& ps, int width, int height, Colour background, double scale) {
    ps = PlotState{};
    ps.surfacewidth = std::clamp(width, 0, largestsurfaceside);
    ps.surfaceheight = std::clamp(height, 0, largestsurfaceside);
    ps.plotwidth = ps.surfacewidth - leftmargin - rightmargin;
    ps.plotheight = ps.surfaceheight - topmargin - bottommargin;
    ps.antcolour = plotcolours::ant;
    ps.atpasecolour = plotcolours::atpase;
    ps.backcolour = background;
    ps.axiscolour = plotcolours::axis;
    ps.markeredge = plotcolours::markeredge;
    ps.markercentre = plotcolours::markercentre;
    ps.markersize = defaultmarkersize;
    ps.scale = std::isfinite(scale) ? std::clamp(scale, smallestscale, largestscale) : 1.0;
}

int devicepixels(int logical, double scale) {
    const double device = std::ceil(logical * scale - 1e-9); // a whole scale gives exactly logical * scale
    return static_cast<int>(std::clamp(device, 0.0, static_cast<double>(largestsurfaceside)));
}

int DeviceGeometry::at(double logical) const {
    return roundeven32(logical * scale);
}

int DeviceGeometry::length(double logical) const {
    return std::max(at(logical), 1);
}

DeviceGeometry devicegeometry(const PlotState& ps) {
    DeviceGeometry d;
    d.scale = ps.scale;
    d.width = devicepixels(ps.surfacewidth, ps.scale);
    d.height = devicepixels(ps.surfaceheight, ps.scale);
    d.left = d.at(leftmargin);
    d.top = d.at(topmargin);
    d.right = d.at(ps.surfacewidth - rightmargin);
    d.bottom = d.at(topmargin + ps.plotheight);
    d.plotwidth = d.right - d.left;
    d.rows = d.bottom - d.top;
    return d;
}

} // namespace kelvora
