// The crossing of the two curves as one parameter steps through a range: the rows of a sweep table, with
// the other parameters as they are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/cliptable.h"
#include "model/parameters.h"

namespace kelvora {

// Most steps a sweep may take: beyond this the values repeat in single precision long before the end,
// and the table would run to gigabytes.
constexpr long long maxsweepsteps = 10000000;

// The index of the parameter whose panel name is name, ignoring case ("mg", "KM(ADP)in"); -1 for none.
int parameterbyname(std::string_view name);

// Why a parameter cannot be swept against the current y-axis quantity.
enum class SweepBlock {
    none,
    noclosedform, // the y-axis quantity has no closed-form crossing
    onyaxis,      // the parameter is the y-axis quantity, or part of the ratio on it
};

SweepBlock sweepblock(const ModelState& s, int index);

// Whether x lies within the hard limits of parameter index (the lowest allowed minimum and the highest
// allowed maximum).
bool withinlimits(const ModelState& s, int index, double x);

// Value i (0..steps) of steps + 1 equally spaced values from `from` to `to`, stored in single precision.
float sweepvalue(double from, double to, long long i, long long steps);

// One line of a sweep.
struct SweepRow {
    float value;      // the swept parameter's value
    double crossing;  // the crossing in the unit of the y-axis quantity
    double potential; // the potential at which both curves meet, in mV; NaN where they do not meet
    bool clamped;     // the crossing was raised to the floor of the ratio
};

// The crossing of s as it stands (value is left 0): what a sweep line reports for these parameters.
// Only for a y-axis quantity with a closed-form crossing.
SweepRow statecrossing(const ModelState& s);

// Sets parameter index of s to value and computes the crossing there. The sweep must not be blocked.
SweepRow sweeprow(ModelState& s, int index, float value);

// The header line: the parameter with its unit, the crossing with the y-axis text, the potential.
std::string sweepheader(const ModelState& s, int index);

// Appends one line as the clipboard table writes numbers: value, crossing, potential and, for a clamped
// crossing, a fourth column "clamped". A number that is not finite leaves its field empty and the line
// is marked "not computable" instead. The line ends in CR LF.
void appendsweepline(std::string& text, const SweepRow& row, SeparatorChoice choice, char systemsep);

} // namespace kelvora
