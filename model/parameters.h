// The parameter tables and model settings that every computation reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelvora {

// One model parameter. The value is single precision on purpose: the model computes with exactly the
// number a user sees stored, and 1.2 reads back as 1.2000000476837158.
struct parameter {
    float value = 0.0f;
    double min = 0.0; // allowed minimum: bottom of the slider
    double max = 0.0; // allowed maximum: top of the slider
    double inc = 0.0; // slider step
};

constexpr int lastindex = 19; // highest parameter index; loops run 0..lastindex inclusive
constexpr int yaxisentries = 21;
constexpr int16_t ratioaxis = -1; // y-axis index of the ratio ATPin/ADPin

// Parameter indices, named for the code that needs a particular one.
enum ParameterIndex : int {
    ATPin,
    ADPin,
    ATPout,
    ADPout,
    Pin,
    pHo,
    pHi,
    n,
    KMadpin,
    KMadpout,
    KMatpin,
    KMatpout,
    KHadpin,
    KHadpout,
    KHatpin,
    KHatpout,
    Mg,
    T,
    KMadp,
    KMatp
};

using ParameterTable = std::array<parameter, lastindex + 1>;

// Default axis limits and settings, restored by every (re)initialisation.
constexpr double defaultxmin = -160.0;
constexpr double defaultxmax = -80.0;
constexpr double defaultymin = 0.0;
constexpr double defaultymax = 3.0;
constexpr double defaultpKa2 = 7.2;

// Physical constants, in double precision.
constexpr double faradayconstant = 96485.3399;
constexpr double gasconstant = 8.314472;
constexpr double kelvinoffset = 273.15;

// Everything the model computes with. The window owns one of these.
struct ModelState {
    ParameterTable params{};   // current values: what every computation reads
    ParameterTable defaults{}; // built-in values; later only their steps are read
    ParameterTable limits{};   // limits[i].min: lowest allowed min, limits[i].max: highest allowed max
    double pKa2 = defaultpKa2;
    double xmin = defaultxmin;
    double xmax = defaultxmax;
    double ymin = defaultymin;
    double ymax = defaultymax;
    int16_t yaxis = ratioaxis; // -1: the ratio ATPin/ADPin, 0..19: that parameter
    double faraday = faradayconstant;
    double gas = gasconstant;
    double kelvin = kelvinoffset;
};

// The y value of plot row i of n rows (0 at the top, n - 1 at the bottom): (ymax - ymin) * (n - i) / n +
// ymin. The plot and the clipboard table share these rows; the plot adds its pan offset, and its vector
// zones also take positions between rows.
inline double rowvalue(const ModelState& s, int n, double i) {
    const double rows = n;
    return (s.ymax - s.ymin) * (rows - i) / rows + s.ymin;
}

// Name label text and unit label text of parameter i (unit empty for pHo, pHi and n).
const char* parametername(int i);
const char* parameterunit(int i);

// Builds defaults and limits for every parameter in index order, then copies the defaults into params.
void buildtables(ModelState& s);

// Sets the axis limits and the y-axis index to their defaults (pKa2 is set separately, after the tables).
void resetsettings(ModelState& s);

// Text of entry k (0..20) of the y-axis list: "ATPin/ADPin", then name and, if any, a blank and the unit.
std::string yaxistext(int entry);

// Rounds a double to single precision without undefined behaviour: values beyond the float range
// saturate at the largest finite float; NaN stays NaN.
float tosingle(double x);

} // namespace kelvora
