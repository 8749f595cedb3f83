// Curves kept for comparison: the two reversal potentials of another state, drawn as thin dashed lines
// of the curves' colours over the current plot, at the current plot's rows and y-axis quantity. Drawing
// reads both states and changes neither.
#pragma once

#include <vector>

#include "model/parameters.h"
#include "plot/plotstate.h"
#include "plot/surface.h"
#include "plot/vectorplot.h"

namespace kelvora {

// Dash and gap along a reference curve, in logical pixels.
constexpr double referencedash = 6.0;
constexpr double referencegap = 4.0;

// The dashes of ps.reference's two curves (nothing without a reference), in device pixels of ps's
// surface, inside the plot area: each a stroke of one logical pixel through points at the row centres.
// The reference's potentials are taken at the y values of s's rows, for s's y-axis quantity.
std::vector<Stroke> referencestrokes(const ModelState& s, const PlotState& ps);

// The same dashes in whole pixels, as drawrows draws its curves.
void drawreference(const ModelState& s, const PlotState& ps, Surface& surface);

} // namespace kelvora
