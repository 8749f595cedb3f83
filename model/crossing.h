// Where the two curves cross, and the automatic axis limits built around that point.
#pragma once

#include "model/parameters.h"

namespace kelvora {

constexpr double nocrossing = -1.0;

// The y-axis value at which both potentials are equal, for the ratio and the five concentrations;
// nocrossing (-1) for every other y-axis quantity.
double crossingpoint(const ModelState& s);

// The four axis limits.
struct AxisLimits {
    double xmin = defaultxmin;
    double xmax = defaultxmax;
    double ymin = defaultymin;
    double ymax = defaultymax;
    bool operator==(const AxisLimits&) const = default;
};
AxisLimits limitsof(const ModelState& s);
void setlimits(ModelState& s, const AxisLimits& limits);

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

// The four axis limits fitted around the crossing, or for a quantity without a closed form a fixed y
// range framed around the potentials sampled across it. Limits that would not be finite, or would leave
// an empty range, are not offered: the state's own limits come back instead.
AxisLimits fittedlimits(const ModelState& s);

// Applies fittedlimits to s.
void autoscale(ModelState& s);

} // namespace kelvora
