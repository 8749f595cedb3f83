// Mapping between plot values and pixels.
#include "plottest.h"

#include <limits>

namespace kelvora {
namespace {

using Mapping = test::PlotFixture;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST_F(Mapping, GeometryFromTheSurfaceSizeWithSidesClamped) {
    EXPECT_EQ(ps.plotwidth, 461);
    EXPECT_EQ(ps.plotheight, 270);
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

TEST_F(Mapping, ValueOffsetsClampAt2000PixelsAndColumnsFloorIn16Bits) {
    EXPECT_EQ(valueoffset(s, ps, -160), 0.0);
    EXPECT_EQ(valueoffset(s, ps, -80), 461.0);
    EXPECT_EQ(valueoffset(s, ps, -140), 115.25);
    EXPECT_EQ(valueoffset(s, ps, 1e6), 2000.0);
    EXPECT_EQ(valueoffset(s, ps, -1e6), -2000.0);
    EXPECT_TRUE(std::isnan(valueoffset(s, ps, nan)));
    ps.xshift = 20; // a drag to the right shows the value 20 mV further right
    EXPECT_EQ(valueoffset(s, ps, -160), 115.25);

    const std::vector<std::pair<double, int>> columns = {
        {115.25, 175}, {-0.5, 59}, {2000.0, 2060}, {-2000.0, -1940}, {1e300, 2060}, {-inf, -1940}, {nan, 60}};
    for (const auto& [p, c] : columns)
        EXPECT_EQ(offsetcolumn(p), c) << p;
}

TEST_F(Mapping, PixelToValueReadsTheCommittedLimits) {
    EXPECT_EQ(pixeltox(s, ps, 60), -160.0);
    EXPECT_EQ(pixeltox(s, ps, 60 + 461), -80.0);
    EXPECT_EQ(pixeltoy(s, ps, 10 + 270), 0.0);
    EXPECT_EQ(pixeltoy(s, ps, 145), 1.5);
    // The pan offsets do not enter.
    ps.xshift = 5;
    ps.yshift = 1;
    EXPECT_EQ(pixeltox(s, ps, 60), -160.0);
    EXPECT_EQ(pixeltoy(s, ps, 10), 3.0);
}

} // namespace
} // namespace kelvora
