// The redraw of the window and of the figures: the limits fitted where that is allowed, then the plot.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"
#include "plot/surface.h"

namespace kelvora {

// Draws s. With mayfit the limits may be fitted: first when automatic is on, and, whatever automatic,
// once more after a picture in which a curve never came into view (then drawn again). Without mayfit
// the limits stay as they are. Returns whether a fit ran; the pin is then released.
bool redraw(bool mayfit, bool automatic, ModelState& s, PlotState& ps, Surface& surface, char decimalsep);

} // namespace kelvora
