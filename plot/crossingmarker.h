// The crossing of the two curves marked on the plot: a small square ring, unlike the pinned cross.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"
#include "plot/surface.h"

namespace kelvora {

// Half the side of the crossing marker's outer square, in logical pixels.
constexpr int crossingmarkerradius = 4;

// Marks where the curves of s meet, at the limits as drawn (with the pan offsets), when that point has a
// closed form and lies inside the plot area; otherwise draws nothing. Returns whether it drew.
bool drawcrossingmarker(const ModelState& s, const PlotState& ps, Surface& surface);

} // namespace kelvora
