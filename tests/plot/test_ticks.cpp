// The texts around the plot without a surface: the 1-2-5 tick step at its boundaries, the candidates inside
// the visible range, the label texts with their five-decimal rounding; and, on a surface that only records
// what is printed, the labels that replace the pattern where it would mislead.
#include "plot/ticks.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace kelvora {
namespace {

using limits = std::numeric_limits<double>;
constexpr double inf = limits::infinity();
constexpr double nan = limits::quiet_NaN();

TEST(TickStep, OneTwoFiveAtTheScaledRangeBoundariesAndNoneForUnusableRanges) {
    // 80 and 3: the default x and y limits. 40 after scaling is not divided; 41 is (4.1).
    const std::vector<std::pair<double, double>> cases = {{80.0, 20.0}, {3.0, 0.5},  {4.0, 1.0},
                                                          {8.0, 2.0},   {14.9, 2.0}, {15.0, 5.0},
                                                          {40.0, 5.0},  {41.0, 10.0}};
    for (const auto& [range, step] : cases)
        EXPECT_EQ(tickstep(range), step) << range;
    // The search ends for every range: a usable step or none, never an unusable one.
    for (double range : {0.0, -1.0, nan, inf, -inf})
        EXPECT_FALSE(tickstep(range)) << range;
    for (double range : {limits::max(), limits::denorm_min()}) {
        const auto step = tickstep(range);
        EXPECT_TRUE(!step || (*step > 0.0 && std::isfinite(*step))) << range;
    }
    for (double range : {1e-300, 1e300})
        EXPECT_TRUE(tickstep(range)) << range;
}

TEST(TickValues, MultiplesInsideTheVisibleRangeBothEndsIncludedNoneForUnusableInput) {
    EXPECT_EQ(tickvalues(-160, -80, 20), (std::vector<double>{-160, -140, -120, -100, -80}));
    EXPECT_EQ(tickvalues(-159, -81, 20), (std::vector<double>{-140, -120, -100}));
    // The last two: candidate indices beyond the 64-bit range, and more candidates than an axis can hold.
    const std::vector<std::array<double, 3>> cases = {{nan, 3, 0.5}, {0, inf, 0.5},          {0, 3, 0.0},
                                                      {0, 3, nan},   {-1e300, 1e300, 1e-10}, {0, 1e6, 1}};
    for (const auto& [lo, hi, step] : cases)
        EXPECT_TRUE(tickvalues(lo, hi, step).empty()) << lo << " " << hi << " " << step;
}

TEST(TickLabels, Texts) {
    // y keeps a bare separator; x drops it and adds the unit. Five-decimal rounding hides binary noise
    // (3 * 0.1 = 0.30000000000000004), but y values at or below 0.001 are not rounded; x values are once
    // |v| > 0.0001.
    std::string y, x;
    for (double v : {0.0, 2.0, 0.5, 3 * 0.1, 0.000123456789, 0.00123456789})
        y += yticklabel(v, '.') + "|";
    for (double v : {-160.0, 0.0, 2.5, 3 * 0.1, 0.000123456789, -0.000123456789, 0.0000123456789})
        x += xticklabel(v, '.') + "|";
    EXPECT_EQ(y, "0.|2.|0.5|0.3|0.0001235|0.00123|");
    EXPECT_EQ(x, "-160 mV|0 mV|2.5 mV|0.3 mV|0.00012 mV|-0.00012 mV|0.0000123 mV|");
}

// Texts six pixels a character and thirteen high; only what is printed is kept, joined by "|".
constexpr double charwidth = 6.0;
class PrintRecorder final : public Surface {
  public:
    int width() const override { return defaultsurfacewidth; }
    int height() const override { return defaultsurfaceheight; }
    void line(int, int, int, int, Colour) override {}
    void pset(int, int, Colour) override {}
    void fillrect(int, int, int, int, Colour) override {}
    double textwidth(const std::string& text) const override { return charwidth_ * text.size(); }
    double textheight(const std::string&) const override { return 13.0; }
    void print(int x, int y, const std::string& text) override {
        // Nothing is cut at the surface's edges, unless the style lets labels reach past them.
        if (bounded_) {
            EXPECT_TRUE(x >= 0 && x + textwidth(text) <= width()) << text;
        }
        const bool xlabel = y >= defaultsurfaceheight - bottommargin;
        (xlabel ? x_ : y_) += text + "|";
        at_ += text + "@" + std::to_string(x) + "," + std::to_string(y) + " ";
        (xlabel ? xboxes_ : yboxes_).push_back({x, y, x + 6 * int(text.size()), y + 13});
    }
    std::string x_, y_, at_;
    double charwidth_ = charwidth;
    bool bounded_ = true;
    std::vector<std::array<int, 4>> xboxes_, yboxes_; // left, top, right, bottom
};

bool overlap(const std::array<int, 4>& a, const std::array<int, 4>& b) {
    return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
}

// The labels of a plot at the window's size with these limits.
PrintRecorder labels(double ymin, double ymax, double xmin, double xmax, const TickStyle& style = {},
                     double width = charwidth) {
    ModelState s;
    std::tie(s.ymin, s.ymax, s.xmin, s.xmax) = std::tie(ymin, ymax, xmin, xmax);
    PlotState ps;
    initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    PrintRecorder surface;
    surface.charwidth_ = width;
    surface.bounded_ = style.xbounded;
    drawticks(s, ps, surface, '.', style);
    return surface;
}

TEST(TickLabels, NeverOverlapEachOtherTheAxesOrThePlotAtExtremeRanges) {
    // ymin, ymax, xmin, xmax, and the least count of labels each axis keeps.
    const std::vector<std::array<double, 6>> cases = {{1e9, 3e9, -160, -80, 3, 3},
                                                      {1.000001, 1.000002, -160, -80, 2, 5},
                                                      {0, 3, -3e9, -1e9, 5, 3},
                                                      {1e9, 3e9, -3e9, -1e9, 3, 3},
                                                      {0, 1e300, -1e300, 1e300, 3, 3},
                                                      {0, 1.7e308, -1.7e308, 0, 3, 3},
                                                      {1e-300, 2e-300, -2e-300, -1e-300, 3, 3},
                                                      {0, 3, -122.70001, -122.69999, 5, 3},
                                                      {0, 3, 1e15, 1e15 + 1, 5, 1},
                                                      {123456, 123457, -1e6, 1e6, 2, 3},
                                                      {0, 1e5, 9999999, 10000001, 5, 1}};
    const int axisleft = leftmargin - 5, axisbottom = defaultsurfaceheight - bottommargin + 6;
    for (const auto& [ymin, ymax, xmin, xmax, ylabels, xlabels] : cases) {
        const PrintRecorder surface = labels(ymin, ymax, xmin, xmax);
        SCOPED_TRACE(surface.at_);
        EXPECT_GE(surface.yboxes_.size(), ylabels);
        EXPECT_GE(surface.xboxes_.size(), xlabels);
        // Each y label left of the tick marks, each x label below them; a y label printed in two parts
        // is one box here, so only different rows are compared.
        for (const auto& y : surface.yboxes_)
            EXPECT_LE(y[2], axisleft);
        for (const auto& x : surface.xboxes_)
            EXPECT_GE(x[1], axisbottom);
        for (const auto& a : surface.yboxes_)
            for (const auto& b : surface.yboxes_)
                EXPECT_FALSE(a[1] != b[1] && overlap(a, b));
        for (std::size_t i = 1; i < surface.xboxes_.size(); ++i)
            EXPECT_FALSE(overlap(surface.xboxes_[i - 1], surface.xboxes_[i]));
        // The lowest y label's box reaches a row below the axis, into space its digits leave empty.
        for (auto y : surface.yboxes_) {
            y[3] -= 13 / 4;
            for (const auto& x : surface.xboxes_)
                EXPECT_FALSE(overlap(y, x));
        }
    }
}

TEST(TickLabels, MisleadingPatternLabelsTakeTheDigitsThatTellTicksApart) {
    const char* defaultx = "-160 mV|-140 mV|-120 mV|-100 mV|-80 mV|";
    const char* defaulty = "0|0|.5|1|1|.5|2|2|.5|3|";
    // ymin, ymax, xmin, xmax, then the labels as printed, y from the bottom, x from the left.
    const std::tuple<double, double, double, double, const char*, const char*> cases[] = {
        // The pattern's labels are distinct and fit: printed as they are, split at the separator.
        {0, 3, -160, -80, defaulty, defaultx},
        // "0.0000025" cannot fit left of the axis.
        {0, 2.5e-6, -160, -80, "0|5|.0E-07|1|.0E-06|1|.5E-06|2|.0E-06|2|.5E-06|", defaultx},
        // Eight ticks that the pattern all writes "0.".
        {0, 3.7656e-10, -160, -80, "0|5|.0E-11|1|.0E-10|1|.5E-10|2|.0E-10|2|.5E-10|3|.0E-10|3|.5E-10|",
         defaultx},
        // Five-decimal rounding makes -122.700005 "-122.7", as -122.7 itself. (-122.69999 falls just
        // outside the range as 5E-06 multiples are computed, and gets no tick.)
        {0, 3, -122.70001, -122.69999, defaulty, "-122.70001 mV|-122.700005 mV|-122.7 mV|-122.699995 mV|"}};
    for (const auto& [ymin, ymax, xmin, xmax, ylabels, xlabels] : cases) {
        const PrintRecorder surface = labels(ymin, ymax, xmin, xmax);
        EXPECT_EQ(surface.y_, ylabels);
        EXPECT_EQ(surface.x_, xlabels);
    }
    // Where the default labels stand: each y label's separator in one column (the widest fraction
    // ".5" 12 wide, 10 left of the axis at 60), centred on its mark's row; each x label centred
    // under its mark, one pixel left, its top at the mark's end.
    EXPECT_EQ(labels(0, 3, -160, -80).at_,
              "0@32,274 0@32,228 .5@38,228 1@32,184 1@32,138 .5@38,138 2@32,94 2@32,48 "
              ".5@38,48 3@32,4 -160 mV@38,286 -140 mV@153,286 -120 mV@268,286 "
              "-100 mV@383,286 -80 mV@502,286 ");
}

// A figure's page grows to hold its labels, so wide end labels reach past the surface rather than thin the
// axis to one label that gives no scale.
TEST(TickLabels, FigureEndLabelsMayReachPastTheSurface) {
    EXPECT_EQ(labels(0, 3, -3e9, -1e9, {.xbounded = false}, 2 * charwidth).x_,
              "-3000000000 mV|-2000000000 mV|-1000000000 mV|");
}

// A figure writes large numbers in exponent notation, as small ones; the window keeps its digits.
TEST(TickLabels, FiguresWriteLargeNumbersInExponentNotation) {
    const TickStyle figure{.largeexponent = true};
    EXPECT_EQ(labels(1e9, 3e9, -3e9, -1e9, figure).y_, "1|.0E+09|1|.5E+09|2|.0E+09|2|.5E+09|3|.0E+09|");
    EXPECT_EQ(labels(1e9, 3e9, -3e9, -1e9, figure).x_, "-3E+09 mV|-2E+09 mV|-1E+09 mV|");
    EXPECT_EQ(labels(0, 3, -160, -80, figure).x_, "-160 mV|-140 mV|-120 mV|-100 mV|-80 mV|");
    // Never rounded to a neighbouring value that no other label shows: 1.5E+05 is not "2E+05".
    EXPECT_EQ(labels(0, 160000, -150000, 10000, figure).y_, "0|5|.0E+04|1|.0E+05|1|.5E+05|");
    EXPECT_EQ(labels(0, 160000, -150000, 10000, figure).x_, "-1.5E+05 mV|-1.0E+05 mV|-5.0E+04 mV|0 mV|");
}

} // namespace
} // namespace kelvora
