#include "model/entry.h"

#include <cmath>
#include <optional>

#include "model/parsenumber.h"
#include "model/rounding.h"
#include "model/sliders.h"

namespace kelvora {
namespace {

// Above this many base steps below the maximum a slider gets a coarser step.
constexpr double maxbasesteps = 10000.0;
// The coarser step leaves 10^5 steps below the next power of ten above the maximum.
constexpr int stepdigits = 5;

// x on the grid of step: R(x / step) * step.
double ongrid(double x, double step) {
    return roundeven32(x / step) * step;
}

// Steps 7 to 9 shared by the range entries: re-grid the range to the step rule, keep min below max,
// and move the value into the range.
void regridrange(parameter& p, double basestep, double lowerlimit) {
    p.inc = steprule(p.max, basestep);
    p.max = ongrid(p.max, p.inc);
    p.min = ongrid(p.min, p.inc);
    if (p.min >= p.max) p.min = p.max - p.inc;
    // The step itself, not the lower limit: the smallest grid point above zero.
    if (p.min < lowerlimit) p.min = p.inc;
    if (tosingle(p.max) < p.value) p.value = tosingle(p.max);
    if (tosingle(p.min) > p.value) p.value = tosingle(p.min);
}

// What every entry of row index works on: the parameter, its base step and its hard limits.
struct EntryRow {
    parameter& p;
    double basestep;
    double lowerlimit;
    double upperlimit;
};

EntryRow entryrow(ModelState& s, int index) {
    return {s.params[index], s.defaults[index].inc, s.limits[index].min, s.limits[index].max};
}

} // namespace

double steprule(double max, double basestep) {
    if (max / basestep <= maxbasesteps) return basestep;
    const double digits = std::log(max) / std::log(10.0);
    return std::pow(10.0, static_cast<double>(roundup(digits)) - stepdigits);
}

namespace {

// text: the typed text, or none for the stored value.
RedMarks applyentry(ModelState& s, int index, std::optional<std::string_view> text) {
    RedMarks red;
    const auto [p, basestep, lowerlimit, upperlimit] = entryrow(s, index);

    double v = text ? parsenumber(*text) : static_cast<double>(p.value);
    if (v > upperlimit) {
        v = upperlimit;
        red.value = true;
    }
    if (v < lowerlimit) {
        v = lowerlimit;
        red.value = true;
    }
    p.value = tosingle(v);

    // A typed value widens the range to include it.
    if (v > p.max) p.max = roundup(v / basestep) * basestep;
    if (v < p.min) {
        p.min = ongrid(v, basestep);
        if (p.min > v) p.min -= basestep;
        if (p.min < lowerlimit) p.min = lowerlimit;
    }

    p.inc = steprule(p.max, basestep);
    p.max = ongrid(p.max, p.inc);
    p.min = ongrid(p.min, p.inc);
    if (tosingle(p.max) < p.value) p.max += p.inc;
    if (tosingle(p.min) > p.value) p.min -= p.inc;

    if (p.min >= p.max) p.min = p.max - p.inc;
    if (p.min < lowerlimit) p.min = lowerlimit;
    if (p.max > upperlimit) p.max = upperlimit;
    return red;
}

} // namespace

RedMarks entervalue(ModelState& s, int index, std::string_view text) {
    return applyentry(s, index, text);
}

RedMarks checkvalue(ModelState& s, int index) {
    return applyentry(s, index, std::nullopt);
}

RedMarks entermaximum(ModelState& s, int index, std::string_view text) {
    RedMarks red;
    const auto [p, basestep, lowerlimit, upperlimit] = entryrow(s, index);

    double x = parsenumber(text);
    if (x > upperlimit) {
        x = upperlimit;
        red.max = true;
    }
    // At least one base step above the lowest allowed minimum, which the minimum then takes.
    if (x < lowerlimit + basestep) {
        x = lowerlimit + basestep;
        p.min = lowerlimit;
        red.max = true;
        red.min = true;
    }
    x = ongrid(x, basestep);
    if (x - basestep < p.min) {
        p.min = x - basestep;
        red.min = true;
    }
    p.max = x;

    regridrange(p, basestep, lowerlimit);
    quantisetosliders(s);
    return red;
}

RedMarks enterminimum(ModelState& s, int index, std::string_view text) {
    RedMarks red;
    const auto [p, basestep, lowerlimit, upperlimit] = entryrow(s, index);

    double x = parsenumber(text);
    // At least one base step below the highest allowed maximum, which the maximum then takes.
    if (x > upperlimit - basestep) {
        x = upperlimit - basestep;
        p.max = upperlimit;
        red.min = true;
        red.max = true;
    }
    if (x < lowerlimit) {
        x = lowerlimit;
        red.min = true;
    }
    x = ongrid(x, basestep);
    if (x + basestep > p.max) {
        p.max = x + basestep;
        red.max = true;
    }
    p.min = x;

    regridrange(p, basestep, lowerlimit);
    quantisetosliders(s);
    return red;
}

} // namespace kelvora
