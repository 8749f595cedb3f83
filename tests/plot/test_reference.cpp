// The reference curves: dashes of both curves' colours inside the plot area, none without a reference.
#include "plot/reference.h"

#include "../model/factory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelvora {
namespace {

double length(const Stroke& stroke) {
    double sum = 0.0;
    for (std::size_t k = 1; k < stroke.points.size(); ++k)
        sum += std::hypot(stroke.points[k].x - stroke.points[k - 1].x,
                          stroke.points[k].y - stroke.points[k - 1].y);
    return sum;
}

TEST(Reference, DashesOfBothColoursOnlyWithAReference) {
    const ModelState s = factorystate();
    PlotState ps;
    initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    EXPECT_TRUE(referencestrokes(s, ps).empty());
    ps.reference = s;
    const std::vector<Stroke> dashes = referencestrokes(s, ps);
    ASSERT_GT(dashes.size(), 2u);
    std::size_t ant = 0;
    for (const Stroke& d : dashes) {
        EXPECT_LE(length(d), referencedash + 1e-9);
        ant += d.colour == ps.antcolour;
    }
    EXPECT_GT(ant, 0u);
    EXPECT_LT(ant, dashes.size());
}

} // namespace
} // namespace kelvora
