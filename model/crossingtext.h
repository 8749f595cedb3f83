// The crossing of the two curves as the window states it: the potential and the y value where they
// meet, or in words why there is no such point.
#pragma once

#include <optional>
#include <string>

#include "model/parameters.h"

namespace kelvora {

// Where both curves meet: the potential in mV and the y-axis value.
struct CrossingPosition {
    double potential;
    double y;
};

// The meeting point of the state's curves, or nothing where the y-axis quantity has no closed form, the
// crossing was clamped to the ratio's floor, or a number is not finite.
std::optional<CrossingPosition> crossingposition(const ModelState& s);

// "ΔΨm = P mV, Y-AXIS = Y" with every digit the numbers need to read back
// exactly (limittext, decimalsep), or the reason in words: "no crossing (clamped at the ratio's floor)",
// "crossing not computable", "no closed-form crossing for Y-AXIS".
std::string crossingtext(const ModelState& s, char decimalsep);

} // namespace kelvora
