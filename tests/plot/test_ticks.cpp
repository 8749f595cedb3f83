// The tick rule: step search, candidate values and label texts; then the tick marks and labels as the exact
// sequence of drawing calls.
#include "plot/ticks.h"

#include "plot/fastdraw.h"
#include "plottest.h"

#include <array>
#include <cmath>
#include <limits>

namespace kelvora {
namespace {

using limits = std::numeric_limits<double>;
using test::axisblue;
using test::Op;
using test::RecordingSurface;
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

struct DrawTicks : test::PlotFixture {
    RecordingSurface surface{defaultsurfacewidth, defaultsurfaceheight};
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Op& op : surface.ops)
            if (op.kind == Op::Print) out.push_back(op.text);
        return out;
    }
};

// With the fake font the widest fraction part is ".5" (10.5 -> 10 pixels, half to even), so every
// separator stands at column 60 - 10 - 10 = 40 and every integer part ends there. Label tops are
// yp - 6.5, half to even. "-160 mV" is 49 wide: left = xp - 24.5 - 1, half to even; "-80 mV" is 42.
TEST_F(DrawTicks, DefaultTicksAndLabelsWithEitherSeparator) {
    struct YTick {
        int yp, top;
        const char* whole;
        bool half;
    };
    const YTick yticks[] = {{280, 274, "0", false}, {235, 228, "0", true}, {190, 184, "1", false},
                            {145, 138, "1", true},  {100, 94, "2", false}, {55, 48, "2", true},
                            {10, 4, "3", false}};
    struct XTick {
        int xp, left;
        const char* text;
    };
    const XTick xticks[] = {{60, 34, "-160 mV"},
                            {175, 150, "-140 mV"},
                            {290, 264, "-120 mV"},
                            {405, 380, "-100 mV"},
                            {521, 499, "-80 mV"}};

    for (char sep : {'.', ','}) {
        std::vector<Op> expected;
        for (const YTick& t : yticks) {
            expected.push_back(test::line(55, t.yp, 60, t.yp, axisblue));
            expected.push_back(test::line(55, t.yp + 1, 60, t.yp + 1, axisblue));
            expected.push_back(test::print(33, t.top, t.whole));
            if (t.half) expected.push_back(test::print(40, t.top, std::string{sep} + "5"));
        }
        for (const XTick& t : xticks) {
            expected.push_back(test::line(t.xp, 280, t.xp, 286, axisblue));
            expected.push_back(test::line(t.xp - 1, 280, t.xp - 1, 286, axisblue));
            expected.push_back(test::print(t.left, 286, t.text));
        }
        surface.ops.clear();
        drawticks(s, ps, surface, sep);
        EXPECT_EQ(surface.ops, expected) << sep;
    }
}

TEST_F(DrawTicks, WholeNumberLabelsAlignOnTheBareSeparatorWidth) {
    // y 0 ... 40 by 5: every label is whole, the widest fraction part is the bare separator (3.5 -> 4).
    s.ymax = 40;
    drawticks(s, ps, surface, '.');
    ASSERT_GE(surface.ops.size(), 3u);
    EXPECT_EQ(surface.ops[2], test::print(60 - 10 - 4 - 7, 274, "0"));
    EXPECT_TRUE(surface.has(test::print(60 - 10 - 4 - 14, 4, "40")));
}

TEST_F(DrawTicks, PannedTicksFollowTheVisibleRange) {
    // Dragged 115.25 pixels right and 27 down: the visible x range is -180 ... -100, y 0.3 ... 3.3.
    ps.xshift = 20;
    ps.yshift = 0.3;
    drawticks(s, ps, surface, '.');
    EXPECT_EQ(texts(), (std::vector<std::string>{"0", ".5", "1", "1", ".5", "2", "2", ".5", "3", "-180 mV",
                                                 "-160 mV", "-140 mV", "-120 mV", "-100 mV"}));
    // -180 mV sits where -160 mV sits unpanned; 0.5 at yp = 10 + floor(270 - 270 * 0.2 / 3) = 262.
    EXPECT_TRUE(surface.has(test::line(60, 280, 60, 286, axisblue)));
    EXPECT_TRUE(surface.has(test::line(55, 262, 60, 262, axisblue)));
}

TEST_F(DrawTicks, AxisWithUnusableRangeGetsNoTicksAndTheOtherStillDoes) {
    s.xmin = s.xmax = -100; // an empty x range
    drawticks(s, ps, surface, '.');
    EXPECT_EQ(texts(), (std::vector<std::string>{"0", "0", ".5", "1", "1", ".5", "2", "2", ".5", "3"}));
    EXPECT_EQ(surface.ops.size(), 7u * 2 + 7 + 3); // only the seven y ticks: two lines and one or two texts

    surface.ops.clear();
    s.xmin = -160;
    s.xmax = -80;
    s.ymax = inf;
    drawticks(s, ps, surface, '.');
    EXPECT_EQ(surface.ops.size(), 5u * 3); // only the five x ticks

    surface.ops.clear();
    s.ymax = nan;
    s.xmax = -200; // negative range
    drawticks(s, ps, surface, '.');
    EXPECT_TRUE(surface.ops.empty());
}

} // namespace
} // namespace kelvora
