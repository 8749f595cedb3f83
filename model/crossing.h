// Where the two curves cross, and the automatic axis limits built around that point.
#pragma once

#include "model/parameters.h"

namespace kelvora {

constexpr double nocrossing = -1.0;

// The y-axis value at which both potentials are equal, for the ratio and the five concentrations.
// For every other y-axis quantity it sets all four axis limits from a fixed y range and the potentials
// sampled across it, and returns nocrossing (-1).
double crossingpoint(ModelState& s);

// Fits all four axis limits around the crossing. Limits that would not be finite, or would leave an
// empty range, are not applied: the previous limits stay in place.
void autoscale(ModelState& s);

} // namespace kelvora
