// Tick marks and labels of both axes.
#include "plot/ticks.h"

#include "model/numtext.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>

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

// Tick geometry, in logical pixels.
constexpr int ytickleft = 5;   // y tick marks run from leftmargin - 5 to the axis
constexpr int ylabelgap = 10;  // y labels end 10 pixels left of the axis
constexpr int xticklength = 6; // x tick marks hang 6 pixels below the axis
constexpr int tickwidth = 2;   // every tick mark is two pixels wide

// Where the fallback labels switch to exponent notation, as the program's other number texts do.
constexpr double smallestpositional = 1e-4;
constexpr double largestpositional = 1e15;
constexpr int maxsignificant = 17; // enough for any two different doubles

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

bool alldistinct(const std::vector<std::string>& labels) {
    return std::set<std::string>(labels.begin(), labels.end()).size() == labels.size();
}

// A label's start moved so that a text extent wide lies inside 0 ... limit where it can.
int shiftedinside(int start, int extent, int limit) {
    return std::max(0, std::min(start, limit - extent));
}

// The y labels of one redraw: each split at its first separator into the whole part and the fraction
// part (separator included), printed so that the separators of all labels stand in one column.
struct YLabel {
    std::string whole;
    std::string fraction;
    int wholewidth = 0;
};

struct YLabels {
    std::vector<YLabel> labels;
    int separatorcolumn = 0;
    bool fit = true; // every label starts inside the surface
};

YLabels layoutylabels(const std::vector<std::string>& texts, const DeviceGeometry& d,
                      const Surface& surface) {
    YLabels out;
    // The widest fraction part, separator included: a label without decimals still counts the width of
    // its bare separator, as the pattern leaves one.
    int fw = 0;
    for (const std::string& text : texts) {
        const auto at = separatorat(text);
        if (at != std::string::npos) fw = std::max(fw, roundedpixel(surface.textwidth(text.substr(at))));
    }
    out.separatorcolumn = d.left - d.length(ylabelgap) - fw;
    for (const std::string& text : texts) {
        YLabel label;
        const auto at = separatorat(text);
        label.whole = text.substr(0, at);
        if (at != std::string::npos && text.size() > at + 1) label.fraction = text.substr(at);
        label.wholewidth = roundedpixel(surface.textwidth(label.whole));
        if (out.separatorcolumn - label.wholewidth < 0) out.fit = false;
        out.labels.push_back(std::move(label));
    }
    return out;
}

void drawyticks(const ModelState& s, const PlotState& ps, Surface& surface, char sep) {
    const std::optional<double> step = tickstep(s.ymax - s.ymin);
    if (!step) return;
    const std::vector<double> ticks = tickvalues(s.ymin + ps.yshift, s.ymax + ps.yshift, *step);
    const DeviceGeometry d = devicegeometry(ps);

    std::vector<std::string> texts;
    for (double v : ticks)
        texts.push_back(yticklabel(v, sep));
    YLabels layout = layoutylabels(texts, d, surface);
    if (!alldistinct(texts) || !layout.fit) layout = layoutylabels(distinctlabels(ticks, sep), d, surface);

    const double n = d.rows;
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        const double v = ticks[k];
        const YLabel& label = layout.labels[k];
        const int yp = pixelat(d.top, n - n * (v - s.ymin - ps.yshift) / (s.ymax - s.ymin));
        const int markleft = d.left - d.length(ytickleft);
        surface.fillrect(markleft, yp, d.left - markleft, d.length(tickwidth), ps.axiscolour);

        const int height = roundedpixel(surface.textheight(label.whole + label.fraction));
        const int top = shiftedinside(
            roundedpixel(yp - surface.textheight(label.whole + label.fraction) / 2.0), height, d.height);
        // A label still too wide starts at the surface's edge rather than lose its first digits.
        const int wholeleft = std::max(layout.separatorcolumn - label.wholewidth, 0);
        surface.print(wholeleft, top, label.whole);
        if (!label.fraction.empty()) surface.print(wholeleft + label.wholewidth, top, label.fraction);
    }
}

void drawxticks(const ModelState& s, const PlotState& ps, Surface& surface, char sep) {
    const std::optional<double> step = tickstep(s.xmax - s.xmin);
    if (!step) return;
    const std::vector<double> ticks = tickvalues(s.xmin - ps.xshift, s.xmax - ps.xshift, *step);
    const DeviceGeometry d = devicegeometry(ps);
    const int onepixel = d.length(1);
    const int marklength = d.length(xticklength);

    std::vector<int> columns;
    for (double v : ticks)
        columns.push_back(pixelat(d.left, d.plotwidth * (v - s.xmin + ps.xshift) / (s.xmax - s.xmin)));
    // Each label centred under its mark.
    const auto placelabels = [&](const std::vector<std::string>& texts, std::vector<int>& lefts) {
        bool fit = true;
        lefts.clear();
        for (std::size_t k = 0; k < texts.size(); ++k) {
            const int tw = roundedpixel(surface.textwidth(texts[k]));
            const int left = roundedpixel(columns[k] - tw / 2.0 - onepixel);
            if (left < 0 || left + tw > d.width) fit = false;
            lefts.push_back(left);
        }
        return fit;
    };

    std::vector<std::string> texts;
    for (double v : ticks)
        texts.push_back(xticklabel(v, sep));
    std::vector<int> lefts;
    if (!placelabels(texts, lefts) || !alldistinct(texts)) {
        texts = distinctlabels(ticks, sep);
        for (std::string& text : texts)
            text += xunit;
        placelabels(texts, lefts);
    }

    for (std::size_t k = 0; k < ticks.size(); ++k) {
        surface.fillrect(columns[k] - onepixel, d.bottom, d.length(tickwidth), marklength, ps.axiscolour);
        const int tw = roundedpixel(surface.textwidth(texts[k]));
        surface.print(shiftedinside(lefts[k], tw, d.width), d.bottom + marklength, texts[k]);
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

std::vector<std::string> distinctlabels(const std::vector<double>& ticks, char sep) {
    double largest = 0.0;
    for (double v : ticks)
        largest = std::max(largest, std::fabs(v));
    const bool exponent = largest > 0.0 && (largest < smallestpositional || largest >= largestpositional);
    std::vector<std::string> labels;
    for (int digits = 1; digits <= maxsignificant; ++digits) {
        labels.clear();
        for (double v : ticks)
            labels.push_back(ticksignificant(v, digits, exponent, sep));
        if (alldistinct(labels)) break;
    }
    return labels;
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
