// The tick rule without a surface: the 1-2-5 step search at its boundaries, the candidates inside the
// visible range, and the label texts with their five-decimal rounding.
#include "plot/ticks.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace kelvora {
namespace {

using limits = std::numeric_limits<double>;
constexpr double inf = limits::infinity();
constexpr double nan = limits::quiet_NaN();

TEST(TickStep, OneTwoFiveAtTheScaledRangeBoundaries) {
    // 80 and 3: the default x and y limits. 40 after scaling is not divided; 41 is (4.1).
    const std::vector<std::pair<double, double>> cases = {
        {80.0, 20.0}, {3.0, 0.5},  {4.0, 1.0},  {7.9, 1.0},   {8.0, 2.0},
        {14.9, 2.0},  {15.0, 5.0}, {40.0, 5.0}, {41.0, 10.0}, {400.0, 50.0}};
    for (const auto& [range, step] : cases)
        EXPECT_EQ(tickstep(range), step) << range;
    EXPECT_DOUBLE_EQ(*tickstep(0.4), 0.1);
}

TEST(TickStep, EndsForEveryRangeAndGivesNoneForUnusableOnes) {
    for (double range : {0.0, -1.0, nan, inf, -inf})
        EXPECT_FALSE(tickstep(range)) << range;
    for (double range : {limits::max(), limits::denorm_min(), limits::min(), 1e-300, 1e300}) {
        const auto step = tickstep(range);
        EXPECT_TRUE(!step || (*step > 0.0 && std::isfinite(*step))) << range;
    }
    EXPECT_TRUE(tickstep(1e-300));
    EXPECT_TRUE(tickstep(1e300));
}

TEST(TickValues, MultiplesInsideTheVisibleRangeBothEndsIncluded) {
    EXPECT_EQ(tickvalues(-160, -80, 20), (std::vector<double>{-160, -140, -120, -100, -80}));
    EXPECT_EQ(tickvalues(0, 3, 0.5), (std::vector<double>{0, 0.5, 1, 1.5, 2, 2.5, 3}));
    EXPECT_EQ(tickvalues(-159, -81, 20), (std::vector<double>{-140, -120, -100}));
    EXPECT_EQ(tickvalues(0.25, 0.75, 0.5), (std::vector<double>{0.5}));
}

TEST(TickValues, UnusableInputGivesNoTicks) {
    // The last two: candidate indices beyond the 64-bit range, and more candidates than an axis can hold.
    const std::vector<std::array<double, 3>> cases = {{nan, 3, 0.5}, {0, inf, 0.5}, {0, 3, 0.0},
                                                      {0, 3, -0.5},  {0, 3, nan},   {-1e300, 1e300, 1e-10},
                                                      {0, 1e6, 1}};
    for (const auto& [lo, hi, step] : cases)
        EXPECT_TRUE(tickvalues(lo, hi, step).empty()) << lo << " " << hi << " " << step;
}

TEST(TickLabels, Texts) {
    struct Case {
        char axis;
        double v;
        char sep;
        const char* text;
    };
    const Case cases[] = {
        // y keeps a bare separator; x drops it and adds the unit.
        {'y', 0, '.', "0."},
        {'y', 2, '.', "2."},
        {'y', 0.5, '.', "0.5"},
        {'y', 2.5, ',', "2,5"},
        {'x', -160, '.', "-160 mV"},
        {'x', -80, ',', "-80 mV"},
        {'x', 2.5, ',', "2,5 mV"},
        {'x', 0, '.', "0 mV"},
        // Five-decimal rounding hides binary noise (3 * 0.1 = 0.30000000000000004) ...
        {'y', 3 * 0.1, '.', "0.3"},
        {'x', 3 * 0.1, '.', "0.3 mV"},
        // ... but y values at or below 0.001 are not rounded; x values are once |v| > 0.0001.
        {'y', 0.000123456789, '.', "0.0001235"},
        {'y', 0.00123456789, '.', "0.00123"},
        {'x', 0.000123456789, '.', "0.00012 mV"},
        {'x', -0.000123456789, '.', "-0.00012 mV"},
        {'x', 0.0000123456789, '.', "0.0000123 mV"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.axis == 'y' ? yticklabel(c.v, c.sep) : xticklabel(c.v, c.sep), c.text)
            << c.axis << " " << c.v;
}

} // namespace
} // namespace kelvora
