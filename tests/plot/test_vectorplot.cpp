// The plot area as polygons and lines: each curve along its zone's edge, edges fine enough to look smooth
// when magnified, and the reference curves' dashes of both curves' colours, none without a reference.
#include "plot/reference.h"
#include "plot/vectorplot.h"

#include "../model/factory.h"

#include "model/potentials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kelvora {
namespace {

// The default state and the plot state at the window's size.
struct VectorTest : testing::Test {
    void SetUp() override { initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight); }
    const ModelState s = factorystate();
    PlotState ps;
};
using VectorZones = VectorTest;
using Reference = VectorTest;

// The zone colours of the drawing are checked where it is rendered, against the picture of the same state.
TEST_F(VectorZones, CurvesStartAtTheirZoneEdgeAndEdgesAreFine) {
    const VectorPlot plot = vectorplot(s, ps);
    const int n = ps.plotheight;

    // The translocase's curve, two pixels wide, runs along the right of its zone edge: through
    // L + p + 1 at every row where it lies inside the plot area.
    std::vector<Point> ant;
    for (const Stroke& stroke : plot.strokes)
        if (stroke.colour == ps.antcolour && stroke.width == 2.0)
            ant.insert(ant.end(), stroke.points.begin(), stroke.points.end());
    int checked = 0;
    for (int i = 0; i < n; i += 10) {
        const double y = (s.ymax - s.ymin) * (n - i) / n + s.ymin;
        const double p = (erevant(s, y) - s.xmin) / (s.xmax - s.xmin) * ps.plotwidth;
        if (p < 0.0 || p > ps.plotwidth) continue;
        const Point expected{leftmargin + p + 1.0, topmargin + static_cast<double>(i)};
        EXPECT_NE(std::find(ant.begin(), ant.end(), expected), ant.end()) << "row " << i;
        ++checked;
    }
    EXPECT_GT(checked, 10);

    // Along every zone edge inside the area: at least four samples a row, and neighbouring points at
    // most a pixel apart sideways unless they are already very close vertically.
    for (std::size_t k = 1; k < plot.shapes.size(); ++k) {
        const std::vector<Point>& edge = plot.shapes[k].points;
        for (std::size_t i = 1; i + 2 < edge.size(); ++i) {
            const double dy = edge[i].y - edge[i - 1].y, dx = std::fabs(edge[i].x - edge[i - 1].x);
            if (dy <= 0.0) continue; // the polygon's closing sides
            EXPECT_LE(dy, 1.0 / zonesamplesperrow + 1e-9);
            EXPECT_TRUE(dx <= 1.0 || dy < 1e-3) << "shape " << k << " point " << i;
        }
    }
}

double length(const Stroke& stroke) {
    double sum = 0.0;
    for (std::size_t k = 1; k < stroke.points.size(); ++k)
        sum += std::hypot(stroke.points[k].x - stroke.points[k - 1].x,
                          stroke.points[k].y - stroke.points[k - 1].y);
    return sum;
}

TEST_F(Reference, DashesOfBothColoursOnlyWithAReference) {
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
