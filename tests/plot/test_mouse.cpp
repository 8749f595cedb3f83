// Pan, zoom, readout and pin of the plot as steps over the window's state.
#include "plot/mouse.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

using namespace kelvora;

namespace {

// A plot area of 400 x 400 pixels with the default limits x -160 .. -80 mV, y 0 .. 3.
struct MouseTest : testing::Test {
    void SetUp() override {
        buildtables(s);
        resetsettings(s);
        initplotstate(ps, 400 + leftmargin + rightmargin, 400 + topmargin + bottommargin);
    }
    // Pixel of the plot area's centre.
    double centrex() const { return leftmargin + 200.0; }
    double centrey() const { return topmargin + 200.0; }
    Release click(double X, double Y) {
        mousepress(ps, leftbutton, X, Y);
        return mouserelease(s, ps, X, Y, '.');
    }
    ModelState s;
    PlotState ps;
};

} // namespace

TEST_F(MouseTest, ClickPinsAndSecondClickUnpins) {
    const Release first = click(centrex(), centrey());
    EXPECT_TRUE(first.inside);
    EXPECT_TRUE(first.enabled);
    EXPECT_EQ(ps.pinned, 1);
    EXPECT_EQ(ps.pressx, centrex());
    EXPECT_EQ(ps.pressy, centrey());
    EXPECT_EQ(first.readout.x, "-120 mV");
    EXPECT_EQ(first.readout.y, "1.5");
    EXPECT_EQ(s.xmin, -160.0); // a click does not pan
    EXPECT_EQ(s.ymax, 3.0);
    const Release second = click(centrex(), centrey());
    EXPECT_TRUE(second.inside);
    EXPECT_FALSE(second.enabled);
    EXPECT_EQ(ps.pinned, 0);
}

TEST_F(MouseTest, ReadoutHasFourSignificantDigitsAndTheSeparator) {
    // One pixel right of the left edge: -160 + 80/400 = -159.8; y at pixel row 11 is 3 * 399/400 =
    // 2.9925, whose fourth digit ties and goes to the even neighbour.
    const Readout r = readoutat(s, ps, leftmargin + 1, topmargin + 1, ',');
    EXPECT_EQ(r.x, "-159,8 mV");
    EXPECT_EQ(r.y, "2,992");
}

TEST_F(MouseTest, ClickInAMarginEmptiesTheReadout) {
    ps.pinned = 1;
    const Release r = click(leftmargin - 20, centrey());
    EXPECT_FALSE(r.inside);
    EXPECT_EQ(ps.pinned, 0);
    EXPECT_FALSE(insidelimits(s, ps, centrex(), topmargin + 400 + 5));
    EXPECT_TRUE(insidelimits(s, ps, leftmargin, topmargin + 400)); // the corner itself is inside
}

TEST_F(MouseTest, DragRightLowersBothXLimits) {
    mousepress(ps, leftbutton, centrex(), centrey());
    dragoffsets(s, ps, centrex() + 10, centrey());
    EXPECT_DOUBLE_EQ(ps.xshift, 2.0);
    const Release r = mouserelease(s, ps, centrex() + 10, centrey(), '.');
    EXPECT_DOUBLE_EQ(s.xmin, -162.0);
    EXPECT_DOUBLE_EQ(s.xmax, -82.0);
    EXPECT_EQ(ps.xshift, 0.0);
    EXPECT_EQ(ps.dragging, 0);
    EXPECT_EQ(ps.pinned, 0); // a drag never pins
    EXPECT_FALSE(r.enabled);
}

TEST_F(MouseTest, DragUpwardStopsAtZeroDownwardRaisesY) {
    mousepress(ps, leftbutton, centrex(), centrey());
    mouserelease(s, ps, centrex(), centrey() - 40, '.');
    EXPECT_EQ(s.ymin, 0.0);
    EXPECT_EQ(s.ymax, 3.0);
    mousepress(ps, leftbutton, centrex(), centrey());
    mouserelease(s, ps, centrex(), centrey() + 40, '.');
    EXPECT_DOUBLE_EQ(s.ymin, 0.3);
    EXPECT_DOUBLE_EQ(s.ymax, 3.3);
    // From ymin 0.3 an upward drag of 0.6 is clamped to -0.3.
    mousepress(ps, leftbutton, centrex(), centrey());
    dragoffsets(s, ps, centrex(), centrey() - 80);
    EXPECT_DOUBLE_EQ(ps.yshift, -0.3);
}

TEST_F(MouseTest, LeftDoubleClickZoomsInAroundThePoint) {
    s.ymax = 4.0;
    // Press, release, double click, release: the platform's order.
    click(centrex(), centrey());
    EXPECT_EQ(ps.pinned, 1);
    mousepress(ps, leftbutton, centrex(), centrey());
    EXPECT_TRUE(mousedoubleclick(s, ps));
    EXPECT_EQ(ps.pinned, 0);
    const Release r = mouserelease(s, ps, centrex(), centrey(), '.');
    EXPECT_EQ(ps.pinned, 0); // the release after a double click does not pin
    EXPECT_FALSE(r.enabled);
    EXPECT_EQ(ps.dblclicked, 0);
    EXPECT_DOUBLE_EQ(s.ymax - s.ymin, 4.0 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ((s.ymax + s.ymin) / 2, 2.0);
    EXPECT_DOUBLE_EQ(s.xmax - s.xmin, 80.0 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ((s.xmax + s.xmin) / 2, -120.0);
}

TEST_F(MouseTest, RightDoubleClickZoomsOutAndLiftsToZero) {
    s.ymax = 4.0;
    mousepress(ps, rightbutton, centrex(), centrey());
    EXPECT_EQ(ps.otherbutton, 1);
    EXPECT_TRUE(mousedoubleclick(s, ps));
    EXPECT_EQ(s.ymin, 0.0);
    EXPECT_DOUBLE_EQ(s.ymax, 4.0 * std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(s.xmax - s.xmin, 80.0 * std::sqrt(2.0));
}

TEST_F(MouseTest, ZoomStopsAtItsBounds) {
    s.ymax = 0.5e-6; // below the smallest span: no zoom in
    mousepress(ps, leftbutton, centrex(), centrey());
    EXPECT_FALSE(mousedoubleclick(s, ps));
    EXPECT_EQ(s.ymax, 0.5e-6);
    EXPECT_EQ(ps.dblclicked, 1);
    s.ymax = 3.0;
    s.xmin = -2e6; // above the largest span: no zoom out
    mousepress(ps, middlebutton, centrex(), centrey());
    EXPECT_FALSE(mousedoubleclick(s, ps));
    EXPECT_EQ(s.xmin, -2e6);
    // Exactly at a bound still zooms.
    s.xmin = s.xmax - 1e6;
    EXPECT_TRUE(mousedoubleclick(s, ps));
}

TEST_F(MouseTest, PanThatWouldOverflowLeavesTheLimits) {
    s.xmin = -1.7e308;
    s.xmax = 1.7e308 / 2;
    mousepress(ps, leftbutton, centrex(), centrey());
    mouserelease(s, ps, centrex() - 100, centrey(), '.');
    EXPECT_EQ(s.xmin, -1.7e308);
    EXPECT_EQ(s.xmax, 1.7e308 / 2);
}

TEST(TypedLimits, Validity) {
    // xmin, xmax, ymin, ymax, valid. The last two: spans beyond the double range.
    const std::vector<std::array<double, 5>> cases = {{-160, -80, 0, 3, 1},          {-80, -80, 0, 3, 0},
                                                      {-160, -80, 3, 3, 0},          {-160, -80, -0.5, 3, 0},
                                                      {-160, -80, 0, 1e-9, 1},       {-1e308, 1e308, 0, 3, 0},
                                                      {-160, -80, 0, 1.7e308 * 2, 0}};
    for (const auto& [xmin, xmax, ymin, ymax, valid] : cases)
        EXPECT_EQ(limitsvalid(xmin, xmax, ymin, ymax), valid == 1)
            << xmin << " " << xmax << " " << ymin << " " << ymax;
}
