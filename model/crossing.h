// Where the two curves cross, and the automatic axis limits built around that point.
#pragma once

#include "model/parameters.h"

namespace kelvora {

constexpr double nocrossing = -1.0;

// The y-axis value at which both potentials are equal, for the ratio and the five concentrations.
// For every other y-axis quantity it sets all four axis limits from a fixed y range and the potentials
// sampled across it, and returns nocrossing (-1).
double crossingpoint(ModelState& s);

// Whether the crossing of the y-axis quantity has a closed form: the ratio and the five concentrations.
bool hasclosedcrossing(int16_t yaxis);

// A crossing value from the closed forms, and whether it was raised to the floor of the ratio (1e-10)
// because the formula gave less or no number.
struct ClosedCrossing {
    double value;
    bool clamped;
};

// The crossing value of the current y-axis quantity; only for quantities with a closed form.
ClosedCrossing closedcrossing(const ModelState& s);

// Fits all four axis limits around the crossing. Limits that would not be finite, or would leave an
// empty range, are not applied: the previous limits stay in place.
void autoscale(ModelState& s);

} // namespace kelvora
