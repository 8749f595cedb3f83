#include "model/parameters.h"

#include <cmath>
#include <limits>

namespace kelvora {
namespace {

struct ParameterRow {
    const char* name;
    const char* unit;
    float value;
    double inc;
    double min;
    double max;
    double highestmax;
};

// Indices 0..15 take their lowest allowed minimum from their own step; 16..19 from zero.
constexpr int firststepbounded = 0;
constexpr int laststepbounded = 15;

const ParameterRow rows[lastindex + 1] = {
    {"ATPin", "(mM)", 6.0f, 0.01, 0.01, 12, 10000},
    {"ADPin", "(mM)", 6.0f, 0.01, 0.01, 12, 10000},
    {"ATPout", "(mM)", 1.2f, 0.01, 0.1, 5, 10000},
    {"ADPout", "(mM)", static_cast<float>(10.0 / 1000.0), 0.0001, 0.001, 2, 10000},
    {"Pin", "(mM)", 10.0f, 0.1, 0.1, 100, 10000},
    {"pHo", "", 7.25f, 0.01, 6, 8, 20},
    {"pHi", "", 7.38f, 0.01, 6, 8, 20},
    {"n", "", 3.7f, 0.1, 2.8, 4.4, 10000},
    {"KM(adp)in", "(mM)", 0.906f, 0.001, 0.01, 2, 10000},
    {"KM(adp)out", "(mM)", 0.906f, 0.001, 0.01, 2, 10000},
    {"KM(atp)in", "(mM)", 0.114f, 0.001, 0.01, 2, 10000},
    {"KM(atp)out", "(mM)", 0.114f, 0.001, 0.01, 2, 10000},
    {"KH(adp)in", "10^(-x) M", 6.8f, 0.01, 4, 10, 20},
    {"KH(adp)out", "10^(-x) M", 6.8f, 0.01, 4, 10, 20},
    {"KH(atp)in", "10^(-x) M", 7.06f, 0.01, 4, 10, 20},
    {"KH(atp)out", "10^(-x) M", 7.06f, 0.01, 4, 10, 20},
    {"Mg", "(mM)", 0.5f, 0.01, 0, 2, 10000},
    {"T", "(Celsius)", 37.0f, 1, 20, 40, 1000},
    {"KM(adp)", "10^(-x)", 3.198f, 0.01, 0, 10, 10},
    {"KM(atp)", "10^(-x)", 4.06f, 0.01, 0, 10, 10},
};

} // namespace

const char* parametername(int i) {
    return rows[i].name;
}
const char* parameterunit(int i) {
    return rows[i].unit;
}

void buildtables(ModelState& s) {
    for (int i = 0; i <= lastindex; ++i) {
        const ParameterRow& row = rows[i];
        parameter& d = s.defaults[i];
        d.value = row.value;
        d.inc = row.inc;
        d.min = row.min;
        d.max = row.max;
        const bool stepbounded = i >= firststepbounded && i <= laststepbounded;
        s.limits[i].min = stepbounded ? d.inc : 0.0;
        s.limits[i].max = row.highestmax;
    }
    for (int i = 0; i <= lastindex; ++i)
        s.params[i] = s.defaults[i];
}

void resetsettings(ModelState& s) {
    s.xmin = defaultxmin;
    s.xmax = defaultxmax;
    s.ymin = defaultymin;
    s.ymax = defaultymax;
    s.yaxis = ratioaxis;
}

std::string yaxistext(int entry) {
    if (entry == 0) return "ATPin/ADPin";
    const int i = entry - 1;
    std::string text = parametername(i);
    const std::string unit = parameterunit(i);
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    return text;
}

float tosingle(double x) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::isnan(x)) return std::numeric_limits<float>::quiet_NaN();
    if (x >= largest) return std::numeric_limits<float>::max();
    if (x <= -largest) return -std::numeric_limits<float>::max();
    return static_cast<float>(x);
}

} // namespace kelvora
