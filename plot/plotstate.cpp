#include "plot/plotstate.h"

#include <algorithm>

namespace kelvora {

void initplotstate(PlotState& ps, int width, int height, Colour background) {
    ps = PlotState{};
    ps.surfacewidth = static_cast<int16_t>(std::clamp(width, 0, largestsurfaceside));
    ps.surfaceheight = static_cast<int16_t>(std::clamp(height, 0, largestsurfaceside));
    ps.plotwidth = static_cast<int16_t>(ps.surfacewidth - leftmargin - rightmargin);
    ps.plotheight = static_cast<int16_t>(ps.surfaceheight - topmargin - bottommargin);
    ps.antcolour = plotcolours::ant;
    ps.atpasecolour = plotcolours::atpase;
    ps.backcolour = background;
    ps.axiscolour = plotcolours::axis;
    ps.markeredge = plotcolours::markeredge;
    ps.markercentre = plotcolours::markercentre;
    ps.markersize = defaultmarkersize;
}

} // namespace kelvora
