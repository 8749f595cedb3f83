// Tick marks and labels of both axes.
#include "plot/ticks.h"

#include "model/numtext.h"
#include "model/rounding.h"
#include "plot/fastdraw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kelvora {
namespace {

// The step search scales the range into 4 ... 40; the step is 1, 2 or 5 times a power of ten.
constexpr double scaledlow = 4.0;
constexpr double scaledhigh = 40.0;
constexpr double twosfrom = 8.0;
constexpr double fivesfrom = 15.0;

// A visible range holds at most about ten ticks; anything far beyond means the limits are unusable.
constexpr int64_t maxtickcandidates = 1000;
// Candidate indices stay far inside the 64-bit range.
constexpr double largestindex = 4.0e18;

// Labels are rounded to five decimals to hide the binary noise of k * step.
constexpr double labelscale = 100000.0;
constexpr double yroundfrom = 0.001;
constexpr double xroundfrom = 0.0001;

// Tick geometry, in pixels.
constexpr int ytickleft = 5;   // y tick marks run from leftmargin - 5 to the axis
constexpr int ylabelgap = 10;  // y labels end 10 pixels left of the axis
constexpr int xticklength = 6; // x tick marks hang 6 pixels below the axis

const char* const xunit = " mV";

double roundlabel(double v) {
    const double rounded = std::nearbyint(v * labelscale) / labelscale;
    return std::isfinite(rounded) ? rounded : v; // beyond the scaled range there are no decimals to round
}

// Position of the first decimal separator of a label, either kind.
std::string::size_type separatorat(const std::string& text) {
    return text.find_first_of(",.");
}

// Pixel positions computed from the limits are kept this far inside the int range, so that offsets
// added to them cannot overflow.
constexpr int64_t farpixel = int64_t{1} << 30;

// base + floor(x), without overflow.
int pixelat(int base, double x) {
    const int64_t sum = int64_t{base} + floor32(x);
    return static_cast<int>(std::clamp(sum, -farpixel, farpixel));
}

int roundedpixel(double x) {
    return roundeven32(x);
}

void drawyticks(const ModelState& s, const PlotState& ps, Surface& surface, char sep) {
    const std::optional<double> step = tickstep(s.ymax - s.ymin);
    if (!step) return;
    const std::vector<double> ticks = tickvalues(s.ymin + ps.yshift, s.ymax + ps.yshift, *step);

    // First pass: the widest fraction part (separator included), so that all separators share a column.
    int fw = 0;
    for (double v : ticks) {
        const std::string text = yticklabel(v, sep);
        const auto at = separatorat(text);
        if (at == std::string::npos) continue;
        fw = std::max(fw, roundedpixel(surface.textwidth(text.substr(at))));
    }

    const double n = ps.plotheight;
    for (double v : ticks) {
        const std::string text = yticklabel(v, sep);
        const auto at = separatorat(text);
        const std::string whole = text.substr(0, at);
        std::string fraction = at == std::string::npos ? std::string() : text.substr(at);
        if (fraction.size() == 1) fraction.clear(); // a bare separator is not printed

        const int yp = pixelat(topmargin, n - n * (v - s.ymin - ps.yshift) / (s.ymax - s.ymin));
        surface.line(leftmargin - ytickleft, yp, leftmargin, yp, ps.axiscolour);
        surface.line(leftmargin - ytickleft, yp + 1, leftmargin, yp + 1, ps.axiscolour);

        const int wi = roundedpixel(surface.textwidth(whole));
        const int separatorcolumn = leftmargin - ylabelgap - fw;
        const int top = roundedpixel(yp - surface.textheight(text) / 2.0);
        surface.print(separatorcolumn - wi, top, whole);
        if (!fraction.empty()) surface.print(separatorcolumn, top, fraction);
    }
}

void drawxticks(const ModelState& s, const PlotState& ps, Surface& surface, char sep) {
    const std::optional<double> step = tickstep(s.xmax - s.xmin);
    if (!step) return;
    const std::vector<double> ticks = tickvalues(s.xmin - ps.xshift, s.xmax - ps.xshift, *step);

    const int b = ps.surfaceheight - bottommargin;
    const double w = ps.plotwidth;
    for (double v : ticks) {
        const std::string text = xticklabel(v, sep);
        const int tw = roundedpixel(surface.textwidth(text));
        const int xp = pixelat(leftmargin, w * (v - s.xmin + ps.xshift) / (s.xmax - s.xmin));
        surface.line(xp, b, xp, b + xticklength, ps.axiscolour);
        surface.line(xp - 1, b, xp - 1, b + xticklength, ps.axiscolour);
        surface.print(roundedpixel(xp - tw / 2.0 - 1.0), b + xticklength, text);
    }
}

} // namespace

std::optional<double> tickstep(double range) {
    // The scaling below only ends for a positive, finite range.
    if (!(range > 0.0) || !std::isfinite(range)) return std::nullopt;
    double r = range;
    int e = 0;
    while (r < scaledlow || r > scaledhigh) {
        if (r < scaledlow) {
            r *= 10.0;
            --e;
        }
        if (r > scaledhigh) {
            r /= 10.0;
            ++e;
        }
    }
    const double m = r < twosfrom ? 1.0 : (r < fivesfrom ? 2.0 : 5.0);
    const double step = m * std::pow(10.0, e);
    if (!(step > 0.0) || !std::isfinite(step)) return std::nullopt; // ranges at the ends of the double range
    return step;
}

std::vector<double> tickvalues(double lo, double hi, double step) {
    std::vector<double> values;
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(lo) || !std::isfinite(hi)) return values;
    const double first = std::floor(lo / step) - 1.0;
    const double last = std::floor(hi / step) + 2.0;
    if (!(std::fabs(first) < largestindex) || !(std::fabs(last) < largestindex)) return values;
    const auto k1 = static_cast<int64_t>(first);
    const auto k2 = static_cast<int64_t>(last);
    if (k2 - k1 > maxtickcandidates) return values;
    for (int64_t k = k1; k <= k2; ++k) {
        const double v = static_cast<double>(k) * step;
        if (lo <= v && v <= hi) values.push_back(v);
    }
    return values;
}

std::string yticklabel(double v, char sep) {
    double label = v;
    if (label > yroundfrom) label = roundlabel(label);
    return tickpattern(label, sep);
}

std::string xticklabel(double v, char sep) {
    double label = v;
    if (std::fabs(label) > xroundfrom) label = roundlabel(label);
    return trimseparator(tickpattern(label, sep)) + xunit;
}

void drawticks(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep) {
    drawyticks(s, ps, surface, decimalsep);
    drawxticks(s, ps, surface, decimalsep);
}

} // namespace kelvora
