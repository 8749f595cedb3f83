// The redraw through a recording surface: the drawing calls of the rows, the re-fit, the order of the
// steps and the texts handed back for the axis boxes.
#include "plot/fastdraw.h"

#include "model/crossing.h"
#include "plottest.h"

#include <array>
#include <limits>

namespace kelvora {
namespace {

using test::Op;
using test::RecordingSurface;

constexpr int R = 521; // first column right of the plot area at the default size
constexpr int N = 270;
// The calls of one pass over the rows of the default ratio plot from 0: the first row's three zone
// lines, zones and curve segments on every further row, and the two run-out lines of the last row.
constexpr size_t pass = 3u + 7u * (N - 1) + 2u;

struct Redraw : test::PlotFixture {
    // The three zone lines of a row whose curves stand at columns pa and pb.
    static std::vector<Op> zones(int row, int pa, int pb) {
        if (pa < pb)
            return {test::line(test::L, row, pa, row, test::yellow),
                    test::line(pa, row, pb, row, test::darkred), test::line(pb, row, R, row, test::grey)};
        return {test::line(test::L, row, pa, row, test::yellow), test::line(pb, row, pa, row, test::orange),
                test::line(pa, row, R, row, test::grey)};
    }
    // A row's zones and its two-pixel curve segments from the previous row's columns.
    static std::vector<Op> joined(int row, int pa0, int pb0, int pa, int pb) {
        std::vector<Op> ops = zones(row, pa, pb);
        for (const Op& op : {test::line(pa0, row - 1, pa, row, test::white),
                             test::line(pa0 + 1, row - 1, pa + 1, row, test::white),
                             test::line(pb0, row - 1, pb, row, test::black),
                             test::line(pb0 + 1, row - 1, pb + 1, row, test::black)})
            ops.push_back(op);
        return ops;
    }
    RecordingSurface surface{defaultsurfacewidth, defaultsurfaceheight};
};

TEST_F(Redraw, FirstRowsJoinTheCurves) {
    drawrows(s, ps, surface);
    ASSERT_GT(antcol(0), atpasecol(0)); // at the top the synthase lies left of the translocase
    EXPECT_EQ(surface.slice(0, 3), zones(10, antcol(0), atpasecol(0)));
    EXPECT_EQ(surface.slice(3, 7), joined(11, antcol(0), atpasecol(0), antcol(1), atpasecol(1)));
}

// Rows at or below 0 are covered by the pixel tests: nothing but dark red on them.
TEST_F(Redraw, RowsWithoutFinitePotentialsAreDarkRedAndNotJoined) {
    // pHi on the y axis up to 800: the synthase potential of the upper rows is not finite.
    s.yaxis = pHi;
    s.ymax = 800;
    int first = 0;
    while (first < N &&
           !(std::isfinite(erevant(s, rowy(first))) && std::isfinite(erevatpase(s, rowy(first)))))
        ++first;
    ASSERT_GT(first, 0);
    ASSERT_LT(first, N - 2);
    drawrows(s, ps, surface);
    for (int i = 0; i < first; ++i)
        EXPECT_EQ(surface.ops[i], test::line(test::L, 10 + i, R, 10 + i, test::darkred));
    // The first computed row has no previous point to join: zones only, no segment from column 0.
    EXPECT_EQ(surface.slice(first, 3), zones(10 + first, antcol(first), atpasecol(first)));
    EXPECT_EQ(surface.slice(first + 3, 7),
              joined(11 + first, antcol(first), atpasecol(first), antcol(first + 1), atpasecol(first + 1)));
}

TEST_F(Redraw, VisibilityOfEachCurve) {
    const std::vector<std::array<double, 4>> cases = {
        {-160, -80, 1, 1}, {-200, -170, 1, 0}, {100, 200, 0, 0}}; // xmin, xmax, translocase, synthase seen
    for (const auto& [xmin, xmax, ant, atpase] : cases) {
        s.xmin = xmin;
        s.xmax = xmax;
        const CurveVisibility seen = drawrows(s, ps, surface);
        EXPECT_EQ(seen.ant, ant == 1) << xmin;
        EXPECT_EQ(seen.atpase, atpase == 1) << xmin;
    }
    // A curve that comes into view only along the bottom four rows counts as out of view: a window
    // around the translocase of row N - 3, narrower than its steps there.
    s.xmin = s.xmax = erevant(s, rowy(N - 3));
    const double gap = std::fabs(s.xmin - erevant(s, rowy(N - 4))) / 4;
    s.xmin -= gap;
    s.xmax += gap;
    EXPECT_FALSE(drawrows(s, ps, surface).ant);
}

TEST_F(Redraw, CoincidentCurvesLeaveTheOrangeZoneEmpty) {
    s.xmin = -1000;
    s.xmax = -999; // both potentials clamped to the same column far right
    drawrows(s, ps, surface);
    EXPECT_EQ(surface.slice(0, 3), zones(10, test::L + 2000, test::L + 2000));
}

TEST_F(Redraw, StepsInOrderAndAxisBoxTexts) {
    ps.pinned = 1;
    ps.pressx = 200;
    ps.pressy = 100;
    const FastdrawResult result = fastdraw(0, false, s, ps, surface, '.');
    EXPECT_EQ(result.tbymin, "0");
    EXPECT_EQ(result.tbymax, "3");
    EXPECT_EQ(result.tbxmin, "-160");
    EXPECT_EQ(result.tbxmax, "-80");
    EXPECT_FALSE(result.clearreadout);
    EXPECT_EQ(ps.pinned, 1);

    // rows, then the frame (ending in the x axis lines), the marker, the ticks
    const size_t frame = 26 + 10 + 61 + 31 + 4;
    ASSERT_GT(surface.ops.size(), pass + frame + 8);
    EXPECT_EQ(surface.ops[pass], test::line(0, 280, 551, 280, test::back));
    EXPECT_EQ(surface.ops[pass + frame - 1], test::line(59, 281, 521, 281, test::axisblue));
    EXPECT_EQ(surface.ops[pass + frame], test::line(199, 94, 199, 107, test::black));
    EXPECT_EQ(surface.ops[pass + frame + 7], test::line(195, 100, 206, 100, test::white));
    EXPECT_EQ(surface.ops[pass + frame + 8], test::line(55, 280, 60, 280, test::axisblue));
}

TEST_F(Redraw, AxisBoxesShowTheVisibleLimitsAtFiveDigits) {
    ps.xshift = 2.5;
    ps.yshift = 0.25;
    FastdrawResult result = fastdraw(0, false, s, ps, surface, ',');
    EXPECT_EQ(result.tbymin, "0,25");
    EXPECT_EQ(result.tbymax, "3,25");
    EXPECT_EQ(result.tbxmin, "-162,5");
    EXPECT_EQ(result.tbxmax, "-82,5");
    ps.xshift = ps.yshift = 0;
    s.xmin = -171.63099;
    s.ymax = 3.5203061;
    result = fastdraw(0, false, s, ps, surface, '.');
    EXPECT_EQ(result.tbxmin, "-171.63");
    EXPECT_EQ(result.tbymax, "3.5203");
}

// autoscale runs first with the automatic argument and the toggle checked; with the argument and a
// curve that never came into view (toggle or not) it runs after the rows, which are then drawn again.
TEST_F(Redraw, AutomaticFit) {
    struct Case {
        int16_t autoflag;
        bool toggle;
        double xmin, xmax;
        int passes; // 0: no fit, limits kept
    };
    const Case cases[] = {
        {1, true, -160, -80, 1}, {0, true, 100, 200, 0}, {1, false, -160, -80, 0}, {1, false, -200, -170, 2}};
    ModelState fitted = s;
    autoscale(fitted);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.autoflag << " " << c.toggle << " " << c.xmin);
        resetsettings(s);
        s.xmin = c.xmin;
        s.xmax = c.xmax;
        ps.pinned = 1;
        surface.ops.clear();
        const FastdrawResult result = fastdraw(c.autoflag, c.toggle, s, ps, surface, '.');
        EXPECT_EQ(result.clearreadout, c.passes > 0);
        EXPECT_EQ(ps.pinned, c.passes > 0 ? 0 : 1);
        if (c.passes == 0) {
            EXPECT_EQ(s.xmin, c.xmin);
            EXPECT_EQ(s.xmax, c.xmax);
            EXPECT_EQ(s.ymax, defaultymax);
            continue;
        }
        EXPECT_EQ(s.xmin, fitted.xmin);
        EXPECT_EQ(s.xmax, fitted.xmax);
        EXPECT_EQ(s.ymin, fitted.ymin);
        EXPECT_EQ(s.ymax, fitted.ymax);
        EXPECT_EQ(result.tbymax, "3.5203");
        EXPECT_EQ(result.tbxmin, "-171.63");
        EXPECT_EQ(result.tbxmax, "-73.757");
        // The last pass over the rows is drawn with the fitted limits; the frame follows it.
        const size_t last = pass * (c.passes - 1);
        EXPECT_EQ(surface.slice(last, 3), zones(10, antcol(0), atpasecol(0)));
        EXPECT_EQ(surface.slice(last + pass, 1), std::vector<Op>{test::line(0, 280, 551, 280, test::back)});
    }
}

TEST_F(Redraw, UnusableFitKeepsTheLimitsAndRedrawsOnce) {
    // With n = 0.1 and T = 0 the crossing of ADPout underflows to a value whose fit is not usable.
    s.params[n].value = 0.1f;
    s.params[T].value = 0.0f;
    s.yaxis = ADPout;
    s.xmin = 100;
    s.xmax = 200; // out of view: a re-fit is asked for
    const FastdrawResult result = fastdraw(1, true, s, ps, surface, '.');
    EXPECT_EQ(s.xmin, 100);
    EXPECT_EQ(s.xmax, 200);
    EXPECT_EQ(s.ymin, 0);
    EXPECT_EQ(s.ymax, 3);
    EXPECT_TRUE(result.clearreadout);
    EXPECT_EQ(result.tbxmin, "100");
}

// States no valid path produces, and surfaces far from the window's: the redraw must still end and draw
// only what makes sense (sanitizer builds check that nothing undefined happens on the way).
TEST_F(Redraw, LimitsWithoutAUsableRangeStillEnd) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double big = std::numeric_limits<double>::max();
    const std::vector<std::array<double, 4>> cases = {
        {-160, -160, 0, 3},    {-80, -160, 3, 0},    {-big, big, 0, big},
        {-inf, inf, 0, inf},   {nan, nan, nan, nan}, {1e300, 1e300 * (1 + 1e-15), 0, 1e-300},
        {-160, -80, 0, 5e-324}};
    for (const auto& [xmin, xmax, ymin, ymax] : cases) {
        s.xmin = xmin;
        s.xmax = xmax;
        s.ymin = ymin;
        s.ymax = ymax;
        RecordingSurface drawn(defaultsurfacewidth, defaultsurfaceheight);
        fastdraw(0, false, s, ps, drawn, '.');
        size_t xlabels = 0;
        for (const Op& op : drawn.ops)
            xlabels += op.text.find(" mV") != std::string::npos;
        EXPECT_GT(drawn.ops.size(), 100u) << xmin << " " << xmax << " " << ymin << " " << ymax;
        EXPECT_LE(xlabels, 12u);
    }
}

TEST_F(Redraw, TinySurfacesAndHugeShiftsStillEnd) {
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {60, 20}, {91, 36}, {2, 2000}}) {
        initplotstate(ps, w, h);
        ps.xshift = 1e300;
        ps.yshift = -1e300;
        ps.pinned = 1;
        ps.pressx = -32768;
        ps.pressy = 32767;
        RecordingSurface drawn(w, h);
        const FastdrawResult result = fastdraw(1, true, s, ps, drawn, ',');
        EXPECT_FALSE(result.tbxmin.empty());
        EXPECT_EQ(ps.pinned, 0);
    }
}

} // namespace
} // namespace kelvora
