// The tick rule shared by both axes: step, candidate values and label texts.
#pragma once

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

} // namespace kelvora
