// Mapping between plot values and pixels.
#include "plot/mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelvora {
namespace {

struct Mapping : testing::Test {
    void SetUp() override {
        buildtables(s);
        resetsettings(s);
        initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    }
    ModelState s;
    PlotState ps;
};

TEST_F(Mapping, PlotStateGeometry) {
    EXPECT_EQ(ps.surfacewidth, 551);
    EXPECT_EQ(ps.surfaceheight, 305);
    EXPECT_EQ(ps.plotwidth, 461);
    EXPECT_EQ(ps.plotheight, 270);
    EXPECT_EQ(ps.antcolour, (Colour{255, 255, 255}));
    EXPECT_EQ(ps.atpasecolour, (Colour{0, 0, 0}));
    EXPECT_EQ(ps.axiscolour, (Colour{0, 0, 150}));
    EXPECT_EQ(ps.markeredge, (Colour{0, 0, 0}));
    EXPECT_EQ(ps.markercentre, (Colour{255, 255, 255}));
    EXPECT_EQ(ps.markersize, 5);
    EXPECT_EQ(ps.pinned, 0);
    EXPECT_EQ(ps.xshift, 0.0);
}

TEST_F(Mapping, InitClampsSurfaceSides) {
    initplotstate(ps, 100000, -5, Colour{1, 2, 3});
    EXPECT_EQ(ps.surfacewidth, largestsurfaceside);
    EXPECT_EQ(ps.surfaceheight, 0);
    EXPECT_EQ(ps.plotheight, -35);
    EXPECT_EQ(ps.backcolour, (Colour{1, 2, 3}));
}

TEST_F(Mapping, RowValues) {
    EXPECT_EQ(rowvalue(s, ps, 0), 3.0);
    EXPECT_EQ(rowvalue(s, ps, 135), 1.5);
    EXPECT_EQ(rowvalue(s, ps, 269), 3.0 * 1 / 270);
    ps.yshift = 0.25;
    EXPECT_EQ(rowvalue(s, ps, 0), 3.25);
}

TEST_F(Mapping, ValueOffsetsClampAt2000Pixels) {
    EXPECT_EQ(valueoffset(s, ps, -160), 0.0);
    EXPECT_EQ(valueoffset(s, ps, -80), 461.0);
    EXPECT_EQ(valueoffset(s, ps, -140), 115.25);
    EXPECT_EQ(valueoffset(s, ps, 1e6), 2000.0);
    EXPECT_EQ(valueoffset(s, ps, -1e6), -2000.0);
    ps.xshift = 20; // a drag to the right shows the value 20 mV further right
    EXPECT_EQ(valueoffset(s, ps, -160), 115.25);
    EXPECT_TRUE(std::isnan(valueoffset(s, ps, std::numeric_limits<double>::quiet_NaN())));
}

TEST_F(Mapping, OffsetColumnsFloorAndStayIn16Bits) {
    EXPECT_EQ(offsetcolumn(115.25), 175);
    EXPECT_EQ(offsetcolumn(-0.5), 59);
    EXPECT_EQ(offsetcolumn(2000.0), 2060);
    EXPECT_EQ(offsetcolumn(-2000.0), -1940);
    EXPECT_EQ(offsetcolumn(1e300), 2060);
    EXPECT_EQ(offsetcolumn(-std::numeric_limits<double>::infinity()), -1940);
    EXPECT_EQ(offsetcolumn(std::numeric_limits<double>::quiet_NaN()), 60);
}

TEST_F(Mapping, PixelToValue) {
    EXPECT_EQ(pixeltox(s, ps, 60), -160.0);
    EXPECT_EQ(pixeltox(s, ps, 60 + 461), -80.0);
    EXPECT_EQ(pixeltoy(s, ps, 10 + 270), 0.0);
    EXPECT_EQ(pixeltoy(s, ps, 10), 3.0);
    EXPECT_EQ(pixeltoy(s, ps, 145), 1.5);
    // The pan offsets do not enter: the mouse reads the committed limits.
    ps.xshift = 5;
    ps.yshift = 1;
    EXPECT_EQ(pixeltox(s, ps, 60), -160.0);
    EXPECT_EQ(pixeltoy(s, ps, 10), 3.0);
}

} // namespace
} // namespace kelvora
