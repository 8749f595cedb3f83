// Pan, zoom, readout and pin of the plot as steps over the window's state.
#include "plot/mouse.h"

#include "../model/factory.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

using namespace kelvora;

namespace {

// A plot area of 400 x 400 pixels with the default limits x -160 .. -80 mV, y 0 .. 3; (X, Y) its centre.
struct MouseTest : testing::Test {
    void SetUp() override {
        initplotstate(ps, 400 + leftmargin + rightmargin, 400 + topmargin + bottommargin);
    }
    Release click(double x, double y) {
        mousepress(ps, MouseButton::left, x, y);
        return mouserelease(s, ps, x, y, '.');
    }
    Release drag(double dx, double dy) {
        mousepress(ps, MouseButton::left, X, Y);
        return mouserelease(s, ps, X + dx, Y + dy, '.');
    }
    bool doubleclick(MouseButton button) {
        mousepress(ps, button, X, Y);
        return mousedoubleclick(s, ps);
    }
    static constexpr double X = leftmargin + 200.0, Y = topmargin + 200.0;
    ModelState s = factorystate();
    PlotState ps;
};

} // namespace

TEST_F(MouseTest, ClickPinsSecondClickUnpinsClickInAMarginEmptiesTheReadout) {
    const Release first = click(X, Y);
    EXPECT_EQ(std::tuple(first.inside, first.enabled, ps.pinned), std::tuple(true, true, true));
    EXPECT_EQ(std::tuple(ps.pressx, ps.pressy), std::tuple(X, Y));
    EXPECT_EQ(first.readout.x + "|" + first.readout.y, "-120 mV|1.5");
    EXPECT_EQ(limitsof(s), (AxisLimits{-160, -80, 0, 3})); // a click does not pan
    const Release second = click(X, Y);
    EXPECT_EQ(std::tuple(second.enabled, ps.pinned), std::tuple(false, false));
    ps.pinned = true;
    EXPECT_FALSE(click(leftmargin - 20, Y).inside);
    EXPECT_FALSE(ps.pinned);
}

TEST_F(MouseTest, DragsMoveTheLimitsYStopsAtZero) {
    // Ten pixels right: both x limits 2 mV lower, the offset shown while the button is held.
    mousepress(ps, MouseButton::left, X, Y);
    dragoffsets(s, ps, X + 10, Y);
    EXPECT_DOUBLE_EQ(ps.xshift, 2.0);
    const Release r = mouserelease(s, ps, X + 10, Y, '.');
    EXPECT_EQ(limitsof(s), (AxisLimits{-162, -82, 0, 3}));
    EXPECT_EQ(std::tuple(ps.xshift, ps.dragging, ps.pinned, r.enabled),
              std::tuple(0.0, false, false, false)); // no pin
    // Upward with ymin 0: nothing moves; downward: both y limits rise.
    drag(0, -40);
    EXPECT_EQ(limitsof(s), (AxisLimits{-162, -82, 0, 3}));
    drag(0, 40);
    EXPECT_DOUBLE_EQ(s.ymin, 0.3);
    EXPECT_DOUBLE_EQ(s.ymax, 3.3);
    // A pan that would overflow leaves the limits.
    std::tie(s.xmin, s.xmax) = std::pair(-1.7e308, 1.7e308 / 2);
    drag(-100, 0);
    EXPECT_TRUE(s.xmin == -1.7e308 && s.xmax == 1.7e308 / 2);
}

TEST_F(MouseTest, DoubleClicksZoomAroundThePointWithinTheirBounds) {
    // Left, in the platform's order (press, release, double click, release): toward the centre of 0 .. 4
    // by 1 / root 2, and the release after it does not pin.
    s.ymax = 4.0;
    click(X, Y);
    EXPECT_TRUE(doubleclick(MouseButton::left));
    EXPECT_FALSE(ps.pinned);
    EXPECT_FALSE(mouserelease(s, ps, X, Y, '.').enabled);
    EXPECT_TRUE(!ps.pinned && !ps.dblclicked);
    EXPECT_DOUBLE_EQ(s.ymax - s.ymin, 4.0 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ((s.ymax + s.ymin) / 2, 2.0);
    EXPECT_DOUBLE_EQ(s.xmax - s.xmin, 80.0 / std::sqrt(2.0));
    // Right: away from it by root 2, lifted so that ymin is 0.
    std::tie(s.xmin, s.xmax, s.ymin, s.ymax) = std::tuple(-160.0, -80.0, 0.0, 4.0);
    EXPECT_TRUE(doubleclick(MouseButton::right));
    EXPECT_EQ(s.ymin, 0.0);
    EXPECT_DOUBLE_EQ(s.ymax, 4.0 * std::sqrt(2.0));
    // No zoom in below the smallest span, none out above the largest.
    std::tie(s.xmin, s.xmax, s.ymin, s.ymax) = std::tuple(-160.0, -80.0, 0.0, 0.5e-6);
    EXPECT_FALSE(doubleclick(MouseButton::left));
    EXPECT_TRUE(s.ymax == 0.5e-6 && ps.dblclicked);
    std::tie(s.xmin, s.ymax) = std::pair(-2e6, 3.0);
    EXPECT_FALSE(doubleclick(MouseButton::middle));
    EXPECT_EQ(s.xmin, -2e6);
}

TEST(TypedLimits, Validity) {
    // xmin, xmax, ymin, ymax, valid. The last two: spans beyond the double range.
    const std::vector<std::array<double, 5>> cases = {
        {-160, -80, 0, 3, 1},    {-80, -80, 0, 3, 0},      {-160, -80, 3, 3, 0},
        {-160, -80, -0.5, 3, 0}, {-1e308, 1e308, 0, 3, 0}, {-160, -80, 0, 1.7e308 * 2, 0}};
    for (const auto& [xmin, xmax, ymin, ymax, valid] : cases)
        EXPECT_EQ(limitsvalid(xmin, xmax, ymin, ymax), valid == 1)
            << xmin << " " << xmax << " " << ymin << " " << ymax;
}

TEST_F(MouseTest, NeighbouringPixelsReadDifferentAtNarrowRanges) {
    s.xmin = -122.70001, s.xmax = -122.69999, s.ymin = 1.000001, s.ymax = 1.000002;
    const Readout a = readoutat(s, ps, X, Y, '.');
    const Readout b = readoutat(s, ps, X + 1, Y + 1, '.');
    EXPECT_NE(a.x, b.x);
    EXPECT_NE(a.y, b.y);
}
