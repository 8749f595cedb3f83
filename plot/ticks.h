// The tick rule shared by both axes: step, candidate values and label texts.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"
#include "plot/surface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvora {

// A tick step of 1, 2 or 5 times a power of ten that gives about 4 to 10 ticks over a range.
// No step for a range that is zero, negative or not finite.
std::optional<double> tickstep(double range);

// The multiples of step that lie in lo ... hi, both ends included, in increasing order. Empty when the
// step or the limits are not usable (not finite, too many ticks for one axis).
std::vector<double> tickvalues(double lo, double hi, double step);

// Label texts: the value rounded to five decimals (y: only above 0.001; x: only when its magnitude
// exceeds 0.0001), in the pattern "0.#######". The y text keeps a bare separator ("2." for 2); the x text
// drops it and ends in " mV".
std::string yticklabel(double v, char decimalsep);
std::string xticklabel(double v, char decimalsep);

// Labels for ticks that the pattern above writes alike (0.0000001 and 0.0000002 both read "0") or too
// wide for the surface: every value with the fewest significant digits that tell all of them apart, in
// exponent notation when the largest magnitude is below 1E-04 or from 1E+05 (four zeros either way),
// otherwise positional.
std::vector<std::string> distinctlabels(const std::vector<double>& ticks, char decimalsep);

// Tick marks and labels of both axes for the visible ranges (y axis first). An axis whose range is not
// positive and finite gets no ticks.
void drawticks(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep);

// The same in exponent notation whatever the magnitude; and either notation, as asked.
std::vector<std::string> distinctexponentlabels(const std::vector<double>& ticks, char decimalsep);
std::vector<std::string> significantlabels(const std::vector<double>& ticks, bool exponent, char decimalsep);

// How the labels are written and where they may stand. The window and its picture use the defaults; a
// figure for print writes the minus sign as U+2212, leaves the unit to the axis title, prints every
// label as one text and lets the y labels reach left of the surface (the page grows to hold them).
struct TickStyle {
    bool realminus = false;
    bool xunit = true;
    bool onetext = false;
    bool leftbounded = true;
    // The x labels at the plot's ends stay inside the surface; a figure whose page grows to hold them
    // lets them reach past it, so that wide labels at both ends still fit.
    bool xbounded = true;
    // Labels of an axis whose ticks reach 1E+05 in magnitude are written in exponent notation with the
    // digits that tell them apart, as small ones are, rather than as long rows of digits.
    bool largeexponent = false;
};

// The text with every "-" written as the minus sign U+2212.
std::string withrealminus(const std::string& text);

// drawticks with a style. Labels never overlap each other, the axis line, the tick marks or the plot
// area: where the pattern's labels do not fit, the digits that tell the ticks apart are used, in
// exponent notation where positional ones do not fit either; where those still do not fit, only every
// 2nd, 5th, 10th ... tick (a multiple of that many steps) is labelled. Labels that fit nowhere are left
// out; the tick marks stay.
void drawticks(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep,
               const TickStyle& style);

} // namespace kelvora
