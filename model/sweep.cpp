#include "model/sweep.h"

#include <cmath>
#include <limits>

#include "model/crossing.h"
#include "model/potentials.h"

namespace kelvora {
namespace {

constexpr const char* lineend = "\r\n";

char lowercase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameignoringcase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowercase(a[i]) != lowercase(b[i])) return false;
    return true;
}

} // namespace

int parameterbyname(std::string_view name) {
    for (int i = 0; i <= lastindex; ++i)
        if (sameignoringcase(name, parametername(i))) return i;
    return -1;
}

SweepBlock sweepblock(const ModelState& s, int index) {
    if (!hasclosedcrossing(s.yaxis)) return SweepBlock::noclosedform;
    // The ratio on the y axis is made of ATPin and ADPin, whose panel columns it hides.
    const bool onratio = s.yaxis == ratioaxis && (index == ATPin || index == ADPin);
    if (index == s.yaxis || onratio) return SweepBlock::onyaxis;
    return SweepBlock::none;
}

bool withinlimits(const ModelState& s, int index, double x) {
    return x >= s.limits[index].min && x <= s.limits[index].max;
}

float sweepvalue(double from, double to, long long i, long long steps) {
    // from + (to - from) * i / steps in double, written as lerp: it gives exactly `from` at the start and
    // exactly `to` at the end (the plain formula may miss `to` by a unit in the last place, which could
    // put the last value outside the parameter's limits), and never steps back. The value is then stored
    // in single precision, as the window stores a typed value, so the table shows what the window would.
    const double t = static_cast<double>(i) / static_cast<double>(steps);
    return tosingle(std::lerp(from, to, t));
}

SweepRow sweeprow(ModelState& s, int index, float value) {
    s.params[index].value = value;
    SweepRow row = statecrossing(s);
    row.value = value;
    return row;
}

SweepRow statecrossing(const ModelState& s) {
    const ClosedCrossing c = closedcrossing(s);
    SweepRow row{0.0f, c.value, std::numeric_limits<double>::quiet_NaN(), c.clamped};
    // At the floor the curves do not meet, and beyond the double range they meet nowhere to report.
    if (c.clamped || !std::isfinite(c.value)) return row;
    // Where one curve does not depend on the y-axis quantity (ErevATPase on ATPout and ADPout, ErevANT on
    // Pin), it gives the common potential exactly, however the crossing rounds when it is stored as that
    // parameter's single-precision value; on the ratio and the matrix concentrations both curves move.
    const Potentials p = potentialsat(prepareterms(s), c.value);
    row.potential = s.yaxis == ATPout || s.yaxis == ADPout ? p.atpase : p.ant;
    return row;
}

std::string sweepheader(const ModelState& s, int index) {
    std::string text = yaxistext(index + 1);
    text += "\tcrossing ";
    text += yaxistext(s.yaxis + 1);
    text += "\tErevANT = ErevATPase (mV)";
    text += lineend;
    return text;
}

void appendsweepline(std::string& text, const SweepRow& row, SeparatorChoice choice, char systemsep) {
    bool complete = true;
    const auto field = [&](double x) {
        text += '\t';
        if (std::isfinite(x))
            text += tablenumber(x, choice, systemsep);
        else
            complete = false;
    };
    text += tablenumbersingle(row.value, choice, systemsep);
    field(row.crossing);
    if (row.clamped) {
        text += "\t\tclamped";
    } else {
        field(row.potential);
        if (!complete) text += "\tnot computable";
    }
    text += lineend;
}

} // namespace kelvora
