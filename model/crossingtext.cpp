#include "model/crossingtext.h"

#include <cmath>

#include "model/crossing.h"
#include "model/limittext.h"
#include "model/sweep.h"

namespace kelvora {

std::optional<CrossingPosition> crossingposition(const ModelState& s) {
    if (!hasclosedcrossing(s.yaxis)) return std::nullopt;
    const SweepRow row = statecrossing(s);
    if (row.clamped || !std::isfinite(row.crossing) || !std::isfinite(row.potential)) return std::nullopt;
    return CrossingPosition{row.potential, row.crossing};
}

std::string crossingtext(const ModelState& s, char decimalsep) {
    const std::string axis = yaxistext(s.yaxis + 1);
    if (!hasclosedcrossing(s.yaxis)) return "no closed-form crossing for " + axis;
    const SweepRow row = statecrossing(s);
    if (row.clamped) return "no crossing (clamped at the ratio's floor)";
    const std::optional<CrossingPosition> at = crossingposition(s);
    if (!at) return "crossing not computable";
    // Every digit the double needs: the text reads back as exactly the number a sweep computes, which a
    // fixed count of decimals would not do for a ratio far below 1.
    const auto number = [decimalsep](double x) { return limittext(x, decimalsep); };
    return "\xce\x94\xce\xa8m = " + number(at->potential) + " mV, " + axis + " = " + number(at->y);
}

} // namespace kelvora
