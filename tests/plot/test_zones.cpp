// The plot area as polygons and lines: at every sampled row the colour seen at a point is the one the
// row rule gives, with few polygons and edges fine enough to look smooth when magnified.
#include "plot/zones.h"

#include "model/crossing.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace kelvora {
namespace {

constexpr Colour yellow{191, 192, 0};
constexpr Colour darkred{124, 2, 1};
constexpr Colour orange{250, 131, 1};
constexpr Colour grey{128, 128, 128};

// Crossing number; points on a top edge count as inside, on a bottom edge as outside.
bool inside(const std::vector<Point>& polygon, Point p) {
    bool in = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

// The colour seen at a point: the last shape drawn over it.
std::optional<Colour> seen(const VectorPlot& plot, Point p) {
    std::optional<Colour> colour;
    for (const FilledShape& shape : plot.shapes)
        if (inside(shape.points, p)) colour = shape.colour;
    return colour;
}

struct Case {
    const char* name;
    std::function<void(ModelState&, PlotState&)> set;
};

TEST(VectorZones, EverySampledRowFollowsTheRowRule) {
    const Case cases[] = {
        {"defaults, ratio from 0", [](ModelState&, PlotState&) {}},
        {"fitted limits", [](ModelState& s, PlotState&) { autoscale(s); }},
        {"pHo on the y axis",
         [](ModelState& s, PlotState&) {
             s.yaxis = pHo;
             s.ymin = 6.5;
             s.ymax = 8;
         }},
        {"panned below zero: rows not computed", [](ModelState&, PlotState& ps) { ps.yshift = -1.0; }},
        {"both curves far right of the area",
         [](ModelState& s, PlotState&) {
             s.xmin = -400;
             s.xmax = -390;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelState s;
        buildtables(s);
        resetsettings(s);
        PlotState ps;
        initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
        c.set(s, ps);
        const VectorPlot plot = vectorplot(s, ps);
        EXPECT_LE(plot.shapes.size(), 8u);

        const int n = ps.plotheight;
        const int w = ps.plotwidth;
        for (int i = 0; i < n; i += 5) {
            const double y = (s.ymax - s.ymin) * (n - i) / n + s.ymin + ps.yshift;
            const bool computed = y > 0.0;
            const auto offset = [&](double e) {
                return std::clamp((e - s.xmin) / (s.xmax - s.xmin) * w, -2000.0, 2000.0);
            };
            const double p = computed ? offset(erevant(s, y)) : 0.0;
            const double q = computed ? offset(erevatpase(s, y)) : 0.0;
            for (double x = 0.5; x < w; x += 2.0) {
                if (computed && (std::fabs(x - p) < 0.6 || std::fabs(x - q) < 0.6)) continue;
                Colour expected = darkred;
                if (computed) {
                    if (x < std::min(p, q)) {
                        expected = yellow;
                    } else if (x < std::max(p, q)) {
                        expected = p < q ? darkred : orange;
                    } else {
                        expected = grey;
                    }
                }
                const auto colour = seen(plot, {leftmargin + x, topmargin + static_cast<double>(i)});
                ASSERT_TRUE(colour.has_value()) << "row " << i << " x " << x;
                ASSERT_EQ(*colour, expected) << "row " << i << " x " << x << " p " << p << " q " << q;
            }
        }
    }
}

TEST(VectorZones, CurvesStartAtTheirZoneEdgeAndEdgesAreFine) {
    ModelState s;
    buildtables(s);
    resetsettings(s);
    PlotState ps;
    initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    const VectorPlot plot = vectorplot(s, ps);
    const int n = ps.plotheight;

    // The translocase's curve, two pixels wide, runs along the right of its zone edge: through
    // L + p + 1 at every row where it lies inside the plot area.
    std::vector<Point> ant;
    for (const Stroke& stroke : plot.strokes) {
        if (stroke.colour == ps.antcolour && stroke.width == 2.0)
            ant.insert(ant.end(), stroke.points.begin(), stroke.points.end());
    }
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
            const double dy = edge[i].y - edge[i - 1].y;
            const double dx = std::fabs(edge[i].x - edge[i - 1].x);
            if (dy <= 0.0) continue; // the polygon's closing sides
            EXPECT_LE(dy, 1.0 / zonesamplesperrow + 1e-9);
            EXPECT_TRUE(dx <= 1.0 || dy < 1e-3) << "shape " << k << " point " << i;
        }
    }
}

} // namespace
} // namespace kelvora
