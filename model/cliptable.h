// The text that "Copy to clipboard" puts on the clipboard: a tab-separated table with one line per plot
// row (y value, ErevANT, ErevATPase) and the parameters beside the first lines.
#pragma once

#include <string>

#include "model/parameters.h"

namespace kelvora {

// The two check boxes "use Point" and "use Comma"; at most one of them is checked.
enum class SeparatorChoice { system, point, comma };

// One number of the table: the pattern "0.###############" with the system's separator, then the
// chosen separator, then a trailing separator dropped so that whole numbers carry none.
std::string tablenumber(double x, SeparatorChoice choice, char systemsep);

// A parameter value of the table: the same steps from the single-precision number's own digits.
std::string tablenumbersingle(float x, SeparatorChoice choice, char systemsep);

// The whole table for plot height rows (the rows of the plot without pan offset), lines ending in CR LF.
// Rows at or below y = 0, and rows whose potentials cannot be computed, are left out like in the plot.
std::string cliptable(const ModelState& s, int rows, SeparatorChoice choice, char systemsep);

} // namespace kelvora
