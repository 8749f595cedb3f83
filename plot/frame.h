// The frame around the plot area.
#pragma once

#include "plot/plotstate.h"
#include "plot/surface.h"

namespace kelvora {

// Paints the margins in the background colour and draws both axis lines.
void drawframe(const PlotState& ps, Surface& surface);

} // namespace kelvora
