// Tick marks and labels of both axes.
#include "plot/ticks.h"

#include "model/cnumber.h"
#include "model/numtext.h"
#include "model/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <set>
#include <utility>

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
constexpr int ytickleft = 5;  // y tick marks run from leftmargin - 5 to the axis
constexpr int ylabelgap = 10; // y labels end 10 pixels left of the axis
// Labels too wide for that may come as close as this to the tick marks, rather than lose digits.
constexpr int ynarrowgap = 7;
constexpr int xticklength = 6; // x tick marks hang 6 pixels below the axis
constexpr int tickwidth = 2;   // every tick mark is two pixels wide

// Where the fallback labels switch to exponent notation, as the program's other number texts do.
constexpr double smallestpositional = 1e-4;
constexpr double largestpositional = 1e5;
constexpr int maxsignificant = 17; // enough for any two different doubles

const char* const xunit = " mV";

// A label may differ from its tick's value by this fraction of the spacing of the ticks (or of the
// value, for a single tick): enough to pass the binary noise of multiples of the step, far too little to
// show a neighbouring value.
constexpr double labeltolerance = 1e-3;

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

// n * offset / span, the pixel of a tick n pixels into an axis; where the product overflows (limits near
// the largest doubles) the fraction is taken first, which every smaller range keeps as it was.
double scaledoffset(double n, double offset, double span) {
    const double product = n * offset;
    return std::isfinite(product) ? product / span : offset / span * n;
}

int roundedpixel(double x) {
    return roundeven32(x);
}

bool alldistinct(const std::vector<std::string>& labels) {
    return std::set<std::string>(labels.begin(), labels.end()).size() == labels.size();
}

// The x label's pattern text without the unit.
std::string xpatternlabel(double v, char sep) {
    double label = v;
    if (std::fabs(label) > xroundfrom) label = roundlabel(label);
    return trimseparator(tickpattern(label, sep));
}

// A line of text is this many times as high as the part under its digits' baseline: where the lowest y
// label and the first x label meet, only the rest counts.
constexpr int underdigits = 4;

// A label's start moved so that a text extent wide lies inside 0 ... limit where it can.
int shiftedinside(int start, int extent, int limit) {
    return std::max(0, std::min(start, limit - extent));
}

// Room kept free between neighbouring labels, in logical pixels.
constexpr int labelgap = 2;
// Labels are thinned to every 2nd, 5th, 10th, 20th ... tick.
constexpr int thinfactors[] = {2, 5};
constexpr int thinbase = 10;

const char* const realminus = "\u2212";

// A label in the style's typography: U+2212 for every minus sign.
std::string styled(const std::string& text, const TickStyle& style) {
    return style.realminus ? withrealminus(text) : text;
}

// A label's box on the surface.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool meets(const Box& o, int gap) const {
        return left < o.right + gap && o.left < right + gap && top < o.bottom + gap && o.top < bottom + gap;
    }
};

// The ticks whose labels are tried, in order: all of them, then every 2nd, 5th, 10th ... (the multiples of
// that many steps), as long as any is left.
std::vector<std::vector<std::size_t>> thinnings(const std::vector<double>& ticks, double step) {
    std::vector<std::vector<std::size_t>> out;
    std::vector<std::size_t> all(ticks.size());
    for (std::size_t k = 0; k < ticks.size(); ++k)
        all[k] = k;
    out.push_back(all);
    for (int64_t power = 1; power < int64_t{2} * static_cast<int64_t>(ticks.size()); power *= thinbase) {
        for (int factor : {thinfactors[0], thinfactors[1], thinbase}) {
            const int64_t every = power * factor;
            std::vector<std::size_t> kept;
            for (std::size_t k = 0; k < ticks.size(); ++k)
                if (std::llround(ticks[k] / step) % every == 0) kept.push_back(k);
            if (!kept.empty() && kept.size() < out.back().size()) out.push_back(kept);
        }
    }
    return out;
}

template <typename T> std::vector<T> pick(const std::vector<T>& values, const std::vector<std::size_t>& at) {
    std::vector<T> out;
    for (std::size_t k : at)
        out.push_back(values[k]);
    return out;
}

// The label texts tried for some ticks, one after the other: the pattern's (only where the pattern tells
// every tick of the axis apart, so that a thinned label never shows a rounded value), then the digits that
// tell them apart, then those in exponent notation.
class LabelChoices {
  public:
    // withpattern: false to skip the pattern's texts.
    LabelChoices(const std::vector<double>& all, const std::vector<std::size_t>& kept,
                 std::function<std::string(double)> pattern, char sep, bool withpattern)
        : all_(all), kept_(kept), pattern_(std::move(pattern)), sep_(sep), step_(withpattern ? 0 : 1) {}

    // The next texts to try, made only when asked for (the first usually fits); false when none is left.
    bool next(std::vector<std::string>& texts) {
        while (step_ < choices) {
            const int step = step_++;
            if (step == 0) {
                std::vector<std::string> plain;
                for (double v : all_)
                    plain.push_back(pattern_(v));
                if (!alldistinct(plain)) continue;
                texts = pick(plain, kept_);
            } else {
                texts = step == 1 ? distinctlabels(pick(all_, kept_), sep_)
                                  : distinctexponentlabels(pick(all_, kept_), sep_);
            }
            return true;
        }
        return false;
    }

  private:
    static constexpr int choices = 3;
    const std::vector<double>& all_;
    const std::vector<std::size_t>& kept_;
    std::function<std::string(double)> pattern_;
    char sep_;
    int step_;
};

double largestmagnitude(const std::vector<double>& ticks) {
    double largest = 0.0;
    for (double v : ticks)
        largest = std::max(largest, std::fabs(v));
    return largest;
}

// Whether the pattern's texts are tried for these ticks: not where the style writes large ones in
// exponent notation.
bool patternfor(const std::vector<double>& ticks, const TickStyle& style) {
    return !style.largeexponent || largestmagnitude(ticks) < largestpositional;
}

// The y labels of one redraw: each split at its first separator into the whole part and the fraction
// part (separator included), printed so that the separators of all labels stand in one column.
struct YLabel {
    std::string whole;
    std::string fraction;
    int wholewidth = 0;
    Box box;
};

struct YLabels {
    std::vector<YLabel> labels;
    int separatorcolumn = 0;
    bool fit = true; // every label starts inside the surface and meets no other
};

YLabels layoutylabels(const std::vector<std::string>& texts, const std::vector<int>& rows, int gap,
                      const DeviceGeometry& d, const Surface& surface, const TickStyle& style) {
    YLabels out;
    // The widest fraction part, separator included: a label without decimals still counts the width of
    // its bare separator, as the pattern leaves one.
    int fw = 0;
    for (const std::string& text : texts) {
        const auto at = separatorat(text);
        if (at != std::string::npos)
            fw = std::max(fw, roundedpixel(surface.textwidth(styled(text.substr(at), style))));
    }
    out.separatorcolumn = d.left - d.length(gap) - fw;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const std::string& text = texts[k];
        YLabel label;
        const auto at = separatorat(text);
        label.whole = styled(text.substr(0, at), style);
        if (at != std::string::npos && text.size() > at + 1) label.fraction = styled(text.substr(at), style);
        label.wholewidth = roundedpixel(surface.textwidth(label.whole));
        if (style.leftbounded && out.separatorcolumn - label.wholewidth < 0) out.fit = false;
        const std::string whole = label.whole + label.fraction;
        const int height = roundedpixel(surface.textheight(whole));
        label.box.top =
            shiftedinside(roundedpixel(rows[k] - surface.textheight(whole) / 2.0), height, d.height);
        label.box.bottom = label.box.top + height;
        label.box.left = out.separatorcolumn - label.wholewidth;
        if (style.leftbounded) label.box.left = std::max(label.box.left, 0);
        label.box.right = label.box.left + label.wholewidth + roundedpixel(surface.textwidth(label.fraction));
        if (k > 0 && label.box.meets(out.labels.back().box, d.length(labelgap))) out.fit = false;
        out.labels.push_back(std::move(label));
    }
    return out;
}

std::vector<Box> drawyticks(const ModelState& s, const PlotState& ps, Surface& surface, char sep,
                            const TickStyle& style) {
    const std::optional<double> step = tickstep(s.ymax - s.ymin);
    if (!step) return {};
    const std::vector<double> ticks = tickvalues(s.ymin + ps.yshift, s.ymax + ps.yshift, *step);
    const DeviceGeometry d = devicegeometry(ps);
    const double n = d.rows;
    std::vector<int> rows;
    for (double v : ticks)
        rows.push_back(pixelat(d.top, n - scaledoffset(n, v - s.ymin - ps.yshift, s.ymax - s.ymin)));

    YLabels layout;
    bool found = false;
    for (const std::vector<std::size_t>& kept : thinnings(ticks, *step)) {
        LabelChoices choices(
            ticks, kept, [sep](double v) { return yticklabel(v, sep); }, sep, patternfor(ticks, style));
        std::vector<std::string> texts;
        while (choices.next(texts)) {
            for (int gap : {ylabelgap, ynarrowgap}) {
                layout = layoutylabels(texts, pick(rows, kept), gap, d, surface, style);
                if ((found = layout.fit)) break;
            }
            if (found) break;
        }
        if (found) break;
    }
    if (!found) layout = {};

    const int markleft = d.left - d.length(ytickleft);
    for (int yp : rows)
        surface.fillrect(markleft, yp, d.left - markleft, d.length(tickwidth), ps.axiscolour);
    std::vector<Box> boxes;
    for (const YLabel& label : layout.labels) {
        const int wholeleft = label.box.left;
        if (style.onetext) {
            surface.print(wholeleft, label.box.top, label.whole + label.fraction);
        } else {
            surface.print(wholeleft, label.box.top, label.whole);
            if (!label.fraction.empty())
                surface.print(wholeleft + label.wholewidth, label.box.top, label.fraction);
        }
        boxes.push_back(label.box);
    }
    return boxes;
}

void drawxticks(const ModelState& s, const PlotState& ps, Surface& surface, char sep, const TickStyle& style,
                const std::vector<Box>& ylabels) {
    const std::optional<double> step = tickstep(s.xmax - s.xmin);
    if (!step) return;
    const std::vector<double> ticks = tickvalues(s.xmin - ps.xshift, s.xmax - ps.xshift, *step);
    const DeviceGeometry d = devicegeometry(ps);
    const int onepixel = d.length(1);
    const int marklength = d.length(xticklength);
    const std::string unit = style.xunit ? xunit : "";

    std::vector<int> columns;
    for (double v : ticks)
        columns.push_back(
            pixelat(d.left, scaledoffset(d.plotwidth, v - s.xmin + ps.xshift, s.xmax - s.xmin)));
    for (int column : columns)
        surface.fillrect(column - onepixel, d.bottom, d.length(tickwidth), marklength, ps.axiscolour);

    // Each label centred under its mark; it fits when it lies inside the surface and meets no other label.
    const auto place = [&](const std::vector<std::string>& texts, const std::vector<std::size_t>& kept,
                           std::vector<Box>& boxes) {
        bool fit = true;
        boxes.clear();
        for (std::size_t k = 0; k < texts.size(); ++k) {
            Box box;
            const int tw = roundedpixel(surface.textwidth(texts[k]));
            box.left = roundedpixel(columns[kept[k]] - tw / 2.0 - onepixel);
            if (style.xbounded) {
                if (box.left < 0 || box.left + tw > d.width) fit = false;
                box.left = shiftedinside(box.left, tw, d.width);
            }
            box.right = box.left + tw;
            box.top = d.bottom + marklength;
            box.bottom = box.top + roundedpixel(surface.textheight(texts[k]));
            if (k > 0 && box.meets(boxes.back(), d.length(labelgap))) fit = false;
            boxes.push_back(box);
        }
        return fit;
    };

    std::vector<std::string> texts;
    std::vector<std::size_t> kept;
    std::vector<Box> boxes;
    bool found = false;
    for (const std::vector<std::size_t>& candidate : thinnings(ticks, *step)) {
        LabelChoices choices(
            ticks, candidate, [sep](double v) { return xpatternlabel(v, sep); }, sep,
            patternfor(ticks, style));
        std::vector<std::string> choice;
        while (choices.next(choice)) {
            texts.clear();
            for (const std::string& text : choice)
                texts.push_back(styled(text, style) + unit);
            kept = candidate;
            if ((found = place(texts, kept, boxes))) break;
        }
        if (found) break;
    }
    if (!found) return;

    for (std::size_t k = 0; k < texts.size(); ++k) {
        // A label at the plot's left end may reach under the lowest y label; then it is left out.
        const bool hidden = std::any_of(ylabels.begin(), ylabels.end(), [&](const Box& y) {
            Box ink = y;
            ink.bottom -= (y.bottom - y.top) / underdigits;
            return ink.meets(boxes[k], 0);
        });
        if (!hidden) surface.print(boxes[k].left, boxes[k].top, texts[k]);
    }
}

} // namespace

std::string withrealminus(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '-' ? std::string(realminus) : std::string(1, c);
    return out;
}

namespace {

// Whether every label reads back as its tick: labels rounded to fewer digits may all differ and still
// show a wrong value (1.5E+05 written 2E+05 beside 1E+05).
bool faithful(const std::vector<std::string>& labels, const std::vector<double>& ticks, char sep) {
    double spacing = std::numeric_limits<double>::infinity();
    for (std::size_t k = 1; k < ticks.size(); ++k)
        spacing = std::min(spacing, std::fabs(ticks[k] - ticks[k - 1]));
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        std::string text = labels[k];
        std::replace(text.begin(), text.end(), sep, '.');
        const double scale = std::isfinite(spacing) ? spacing : std::fabs(ticks[k]);
        if (!(std::fabs(readc(text) - ticks[k]) <= labeltolerance * scale)) return false;
    }
    return true;
}

} // namespace

std::vector<std::string> significantlabels(const std::vector<double>& ticks, bool exponent, char sep) {
    std::vector<std::string> labels;
    for (int digits = 1; digits <= maxsignificant; ++digits) {
        labels.clear();
        for (double v : ticks)
            labels.push_back(ticksignificant(v, digits, exponent, sep));
        if (alldistinct(labels) && faithful(labels, ticks, sep)) break;
    }
    return labels;
}

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
    const double largest = largestmagnitude(ticks);
    const bool exponent = largest > 0.0 && (largest < smallestpositional || largest >= largestpositional);
    return significantlabels(ticks, exponent, sep);
}

std::vector<std::string> distinctexponentlabels(const std::vector<double>& ticks, char sep) {
    return significantlabels(ticks, true, sep);
}

std::string xticklabel(double v, char sep) {
    return xpatternlabel(v, sep) + xunit;
}

void drawticks(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep,
               const TickStyle& style) {
    const std::vector<Box> ylabels = drawyticks(s, ps, surface, decimalsep, style);
    drawxticks(s, ps, surface, decimalsep, style, ylabels);
}

void drawticks(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep) {
    drawticks(s, ps, surface, decimalsep, TickStyle{});
}

} // namespace kelvora
