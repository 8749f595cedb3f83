// Margins, axes, ticks and the marker, as the exact sequence of drawing calls.
#include "plot/fastdraw.h"
#include "recordingsurface.h"

#include <gtest/gtest.h>

#include <limits>

namespace kelvora {
namespace {

using test::Op;
using test::RecordingSurface;

struct Frame : testing::Test {
    void SetUp() override {
        buildtables(s);
        resetsettings(s);
        initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    }
    ModelState s;
    PlotState ps;
    RecordingSurface surface{defaultsurfacewidth, defaultsurfaceheight};
};

TEST_F(Frame, MarginsThenAxes) {
    drawframe(ps, surface);
    const Colour back = plotcolours::background;
    const Colour axis = plotcolours::axis;
    std::vector<Op> expected;
    for (int r = 280; r <= 305; ++r)
        expected.push_back(test::line(0, r, 551, r, back));
    for (int r = 0; r <= 9; ++r)
        expected.push_back(test::line(0, r, 551, r, back));
    for (int c = 0; c <= 60; ++c)
        expected.push_back(test::line(c, 0, c, 304, back));
    for (int c = 521; c <= 551; ++c)
        expected.push_back(test::line(c, 0, c, 304, back));
    expected.push_back(test::line(60, 10, 60, 281, axis));
    expected.push_back(test::line(59, 10, 59, 281, axis));
    expected.push_back(test::line(59, 280, 521, 280, axis));
    expected.push_back(test::line(59, 281, 521, 281, axis));
    EXPECT_EQ(surface.ops, expected);
}

TEST_F(Frame, BackgroundIsTheStateColour) {
    initplotstate(ps, 200, 100, Colour{10, 20, 30});
    drawframe(ps, surface);
    ASSERT_FALSE(surface.ops.empty());
    EXPECT_EQ(surface.ops.front(), test::line(0, 75, 200, 75, (Colour{10, 20, 30})));
}

// The fake font: digits and other characters 7 pixels, separators 3.5, every text 13 high.
TEST_F(Frame, DefaultTicksAndLabels) {
    drawticks(s, ps, surface, '.');
    const Colour axis = plotcolours::axis;
    // y: the widest fraction part is ".5", 10.5 -> 10 pixels (half to even), so every separator stands at
    // column 60 - 10 - 10 = 40 and every integer part ends there. Tops: yp - 6.5, half to even.
    // x: "-160 mV" is 49 wide: left = xp - 24.5 - 1, half to even; "-80 mV" is 42 wide.
    const std::vector<Op> expected = {
        test::line(55, 280, 60, 280, axis),
        test::line(55, 281, 60, 281, axis),
        test::print(33, 274, "0"),
        test::line(55, 235, 60, 235, axis),
        test::line(55, 236, 60, 236, axis),
        test::print(33, 228, "0"),
        test::print(40, 228, ".5"),
        test::line(55, 190, 60, 190, axis),
        test::line(55, 191, 60, 191, axis),
        test::print(33, 184, "1"),
        test::line(55, 145, 60, 145, axis),
        test::line(55, 146, 60, 146, axis),
        test::print(33, 138, "1"),
        test::print(40, 138, ".5"),
        test::line(55, 100, 60, 100, axis),
        test::line(55, 101, 60, 101, axis),
        test::print(33, 94, "2"),
        test::line(55, 55, 60, 55, axis),
        test::line(55, 56, 60, 56, axis),
        test::print(33, 48, "2"),
        test::print(40, 48, ".5"),
        test::line(55, 10, 60, 10, axis),
        test::line(55, 11, 60, 11, axis),
        test::print(33, 4, "3"),
        test::line(60, 280, 60, 286, axis),
        test::line(59, 280, 59, 286, axis),
        test::print(34, 286, "-160 mV"),
        test::line(175, 280, 175, 286, axis),
        test::line(174, 280, 174, 286, axis),
        test::print(150, 286, "-140 mV"),
        test::line(290, 280, 290, 286, axis),
        test::line(289, 280, 289, 286, axis),
        test::print(264, 286, "-120 mV"),
        test::line(405, 280, 405, 286, axis),
        test::line(404, 280, 404, 286, axis),
        test::print(380, 286, "-100 mV"),
        test::line(521, 280, 521, 286, axis),
        test::line(520, 280, 520, 286, axis),
        test::print(499, 286, "-80 mV"),
    };
    EXPECT_EQ(surface.ops, expected);
}

TEST_F(Frame, CommaSeparatorSplitsLabelsToo) {
    drawticks(s, ps, surface, ',');
    EXPECT_NE(std::find(surface.ops.begin(), surface.ops.end(), test::print(40, 228, ",5")),
              surface.ops.end());
}

TEST_F(Frame, WholeNumberLabelsAlignOnTheBareSeparatorWidth) {
    // y 0 ... 40 by 5: every label is whole, the widest fraction part is the bare separator (3.5 -> 4).
    s.ymax = 40;
    drawticks(s, ps, surface, '.');
    ASSERT_GE(surface.ops.size(), 3u);
    EXPECT_EQ(surface.ops[2], test::print(60 - 10 - 4 - 7, 274, "0"));
    EXPECT_NE(std::find(surface.ops.begin(), surface.ops.end(), test::print(60 - 10 - 4 - 14, 4, "40")),
              surface.ops.end());
}

TEST_F(Frame, PannedTicksFollowTheVisibleRange) {
    // Dragged 115.25 pixels right and 27 down: the visible x range is -180 ... -100, y 0.3 ... 3.3.
    ps.xshift = 20;
    ps.yshift = 0.3;
    drawticks(s, ps, surface, '.');
    std::vector<std::string> texts;
    for (const Op& op : surface.ops)
        if (op.kind == Op::Print) texts.push_back(op.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"0", ".5", "1", "1", ".5", "2", "2", ".5", "3", "-180 mV",
                                               "-160 mV", "-140 mV", "-120 mV", "-100 mV"}));
    // -180 mV sits where -160 mV sits unpanned; 0.5 at yp = 10 + floor(270 - 270 * 0.2 / 3) = 262.
    EXPECT_NE(
        std::find(surface.ops.begin(), surface.ops.end(), test::line(60, 280, 60, 286, plotcolours::axis)),
        surface.ops.end());
    EXPECT_NE(
        std::find(surface.ops.begin(), surface.ops.end(), test::line(55, 262, 60, 262, plotcolours::axis)),
        surface.ops.end());
}

TEST_F(Frame, AxisWithUnusableRangeGetsNoTicksAndTheOtherStillDoes) {
    s.xmin = s.xmax = -100; // an empty x range
    drawticks(s, ps, surface, '.');
    for (const Op& op : surface.ops)
        EXPECT_EQ(op.text.find("mV"), std::string::npos);
    EXPECT_EQ(surface.ops.size(), 7u * 2 + 7 + 3); // seven y ticks: two lines and one or two texts each

    surface.ops.clear();
    s.xmin = -160;
    s.xmax = -80;
    s.ymax = std::numeric_limits<double>::infinity();
    drawticks(s, ps, surface, '.');
    EXPECT_EQ(surface.ops.size(), 5u * 3); // only the five x ticks

    surface.ops.clear();
    s.ymax = std::numeric_limits<double>::quiet_NaN();
    s.xmax = -200; // negative range
    drawticks(s, ps, surface, '.');
    EXPECT_TRUE(surface.ops.empty());
}

TEST_F(Frame, MarkerStrokes) {
    drawmarker(ps, surface, 100, 50);
    const Colour edge = plotcolours::markeredge;
    const Colour centre = plotcolours::markercentre;
    const std::vector<Op> expected = {
        test::line(99, 44, 99, 57, edge),     test::line(101, 44, 101, 57, edge),
        test::line(100, 44, 100, 57, edge),   test::line(94, 49, 107, 49, edge),
        test::line(94, 51, 107, 51, edge),    test::line(94, 50, 107, 50, edge),
        test::line(100, 45, 100, 56, centre), test::line(95, 50, 106, 50, centre),
    };
    EXPECT_EQ(surface.ops, expected);
}

} // namespace
} // namespace kelvora
