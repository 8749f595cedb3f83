// The redraw through a recording surface: the drawing calls of the rows, the re-fit, the order of the
// steps and the texts handed back for the axis boxes.
#include "plot/fastdraw.h"

#include "model/crossing.h"
#include "model/potentials.h"
#include "recordingsurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace kelvora {
namespace {

using test::Op;
using test::RecordingSurface;

constexpr int L = 60;
constexpr int R = 521; // first column right of the plot area at the default size
constexpr int N = 270;

struct Redraw : testing::Test {
    void SetUp() override {
        buildtables(s);
        resetsettings(s);
        initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    }

    // The column of a potential by the plot's rule, computed here from the limits.
    int column(double e) const {
        const double p =
            std::clamp((e + ps.xshift - s.xmin) / (s.xmax - s.xmin) * ps.plotwidth, -2000.0, 2000.0);
        return L + static_cast<int>(std::floor(p));
    }
    double rowy(int i) const { return (s.ymax - s.ymin) * (N - i) / N + s.ymin + ps.yshift; }

    // The three zone lines of a row whose curves stand at columns pa and pb.
    static std::vector<Op> zones(int row, int pa, int pb) {
        if (pa < pb)
            return {test::line(L, row, pa, row, plotcolours::leftzone),
                    test::line(pa, row, pb, row, plotcolours::betweenzone),
                    test::line(pb, row, R, row, plotcolours::rightzone)};
        return {test::line(L, row, pa, row, plotcolours::leftzone),
                test::line(pb, row, pa, row, plotcolours::reversedzone),
                test::line(pa, row, R, row, plotcolours::rightzone)};
    }
    static std::vector<Op> curves(int row, int pa0, int pb0, int pa, int pb) {
        return {test::line(pa0, row - 1, pa, row, plotcolours::ant),
                test::line(pa0 + 1, row - 1, pa + 1, row, plotcolours::ant),
                test::line(pb0, row - 1, pb, row, plotcolours::atpase),
                test::line(pb0 + 1, row - 1, pb + 1, row, plotcolours::atpase)};
    }
    static std::vector<Op> slice(const std::vector<Op>& ops, size_t from, size_t count) {
        if (from + count > ops.size()) return {};
        return {ops.begin() + static_cast<long>(from), ops.begin() + static_cast<long>(from + count)};
    }

    ModelState s;
    PlotState ps;
    RecordingSurface surface{defaultsurfacewidth, defaultsurfaceheight};
};

TEST_F(Redraw, FirstRowsAndLastRowWithTheRatioFromZero) {
    drawrows(s, ps, surface);
    const int pa0 = column(erevant(s, rowy(0))), pb0 = column(erevatpase(s, rowy(0)));
    const int pa1 = column(erevant(s, rowy(1))), pb1 = column(erevatpase(s, rowy(1)));
    ASSERT_GT(pa0, pb0); // at the top the synthase lies left of the translocase: the orange zone
    EXPECT_EQ(slice(surface.ops, 0, 3), zones(10, pa0, pb0));
    std::vector<Op> row1 = zones(11, pa1, pb1);
    for (const Op& op : curves(11, pa0, pb0, pa1, pb1))
        row1.push_back(op);
    EXPECT_EQ(slice(surface.ops, 3, 7), row1);

    // The last row: zones, curves, then both curves run out along it to the edges.
    ASSERT_EQ(surface.ops.size(), 3u + 7u * (N - 1) + 2u);
    const int i = N - 1, row = 10 + i;
    const int pa = column(erevant(s, rowy(i))), pb = column(erevatpase(s, rowy(i)));
    const int pap = column(erevant(s, rowy(i - 1))), pbp = column(erevatpase(s, rowy(i - 1)));
    ASSERT_LT(pa, pb); // at the bottom the translocase lies left: the dark red zone
    std::vector<Op> last = zones(row, pa, pb);
    for (const Op& op : curves(row, pap, pbp, pa, pb))
        last.push_back(op);
    last.push_back(test::line(L, row, pa + 1, row, plotcolours::ant));
    last.push_back(test::line(pb - 1, row, R, row, plotcolours::atpase));
    EXPECT_EQ(slice(surface.ops, surface.ops.size() - 9, 9), last);
}

TEST_F(Redraw, LastRowOfAParameterAxisGetsOnlyTheEndPixels) {
    s.yaxis = Mg;
    s.ymin = 0;
    s.ymax = 2;
    drawrows(s, ps, surface);
    const int row = 10 + N - 1;
    const int pa = column(erevant(s, rowy(N - 1))), pb = column(erevatpase(s, rowy(N - 1)));
    const std::vector<Op> tail = {
        test::pset(pa, row, plotcolours::ant), test::pset(pa + 1, row, plotcolours::ant),
        test::pset(pb, row, plotcolours::atpase), test::pset(pb + 1, row, plotcolours::atpase)};
    ASSERT_EQ(surface.ops.size(), 3u + 7u * (N - 1) + 4u);
    EXPECT_EQ(slice(surface.ops, surface.ops.size() - 4, 4), tail);
}

TEST_F(Redraw, RatioAboveZeroGetsOnlyTheEndPixelsToo) {
    s.ymin = 0.5; // the bottom rule needs the visible range to start at exactly 0
    drawrows(s, ps, surface);
    ASSERT_EQ(surface.ops.size(), 3u + 7u * (N - 1) + 4u);
    EXPECT_EQ(surface.ops.back().kind, Op::Pset);
}

TEST_F(Redraw, RowsAtOrBelowZeroArePaintedDarkRedAndNotComputed) {
    ps.yshift = -1; // rows i >= 180 stand for y <= 0
    drawrows(s, ps, surface);
    ASSERT_EQ(surface.ops.size(), 3u + 7u * 179 + 90u);
    for (int i = 180; i < N; ++i)
        EXPECT_EQ(surface.ops[3 + 7 * 179 + (i - 180)],
                  test::line(L, 10 + i, R, 10 + i, plotcolours::betweenzone));
}

TEST_F(Redraw, PotentialsFarOutsideAreClampedTo2000Pixels) {
    s.xmin = -1000;
    s.xmax = -999; // both curves far to the right
    drawrows(s, ps, surface);
    ASSERT_GE(surface.ops.size(), 3u);
    EXPECT_EQ(slice(surface.ops, 0, 3), zones(10, L + 2000, L + 2000));
    surface.ops.clear();
    s.xmin = 0;
    s.xmax = 1; // far to the left
    drawrows(s, ps, surface);
    EXPECT_EQ(slice(surface.ops, 0, 3), zones(10, L - 2000, L - 2000));
}

TEST_F(Redraw, RowsWithoutFinitePotentialsAreSkippedLikeRowsBelowZero) {
    // pHi on the y axis up to 800: the synthase potential of the upper rows is not finite.
    s.yaxis = pHi;
    s.ymin = 0;
    s.ymax = 800;
    int first = -1;
    for (int i = 0; i < N && first < 0; ++i)
        if (std::isfinite(erevant(s, rowy(i))) && std::isfinite(erevatpase(s, rowy(i)))) first = i;
    ASSERT_GT(first, 0);
    ASSERT_LT(first, N - 2);

    drawrows(s, ps, surface);
    for (int i = 0; i < first; ++i)
        EXPECT_EQ(surface.ops[i], test::line(L, 10 + i, R, 10 + i, plotcolours::betweenzone));
    // The first computed row has no previous point to join: zones only, no segment from column 0.
    const int pa0 = column(erevant(s, rowy(first))), pb0 = column(erevatpase(s, rowy(first)));
    const int pa1 = column(erevant(s, rowy(first + 1))), pb1 = column(erevatpase(s, rowy(first + 1)));
    EXPECT_EQ(slice(surface.ops, first, 3), zones(10 + first, pa0, pb0));
    std::vector<Op> next = zones(11 + first, pa1, pb1);
    for (const Op& op : curves(11 + first, pa0, pb0, pa1, pb1))
        next.push_back(op);
    EXPECT_EQ(slice(surface.ops, first + 3, 7), next);
}

TEST_F(Redraw, VisibilityOfBothCurves) {
    EXPECT_TRUE(drawrows(s, ps, surface).ant);
    EXPECT_TRUE(drawrows(s, ps, surface).atpase);
    s.xmin = -200;
    s.xmax = -170; // only the translocase comes through this window, in the lower rows
    const CurveVisibility seen = drawrows(s, ps, surface);
    EXPECT_TRUE(seen.ant);
    EXPECT_FALSE(seen.atpase);
    s.xmin = 100;
    s.xmax = 200;
    const CurveVisibility none = drawrows(s, ps, surface);
    EXPECT_FALSE(none.ant);
    EXPECT_FALSE(none.atpase);
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
    const size_t rows = 3u + 7u * (N - 1) + 2u;
    const size_t frame = 26 + 10 + 61 + 31 + 4;
    ASSERT_GT(surface.ops.size(), rows + frame + 8);
    EXPECT_EQ(surface.ops[rows], test::line(0, 280, 551, 280, plotcolours::background));
    EXPECT_EQ(surface.ops[rows + frame - 1], test::line(59, 281, 521, 281, plotcolours::axis));
    EXPECT_EQ(surface.ops[rows + frame], test::line(199, 94, 199, 107, plotcolours::markeredge));
    EXPECT_EQ(surface.ops[rows + frame + 7], test::line(195, 100, 206, 100, plotcolours::markercentre));
    EXPECT_EQ(surface.ops[rows + frame + 8], test::line(55, 280, 60, 280, plotcolours::axis));
}

TEST_F(Redraw, AxisBoxesShowTheVisibleLimits) {
    ps.xshift = 2.5;
    ps.yshift = 0.25;
    FastdrawResult result = fastdraw(0, false, s, ps, surface, ',');
    EXPECT_EQ(result.tbymin, "0,25");
    EXPECT_EQ(result.tbymax, "3,25");
    EXPECT_EQ(result.tbxmin, "-162,5");
    EXPECT_EQ(result.tbxmax, "-82,5");
    // Five significant digits.
    ps.xshift = ps.yshift = 0;
    s.xmin = -171.63099;
    s.ymax = 3.5203061;
    result = fastdraw(0, false, s, ps, surface, '.');
    EXPECT_EQ(result.tbxmin, "-171.63");
    EXPECT_EQ(result.tbymax, "3.5203");
}

TEST_F(Redraw, AutomaticToggleFitsTheLimitsFirst) {
    ModelState fitted = s;
    autoscale(fitted);
    ps.pinned = 1;
    const FastdrawResult result = fastdraw(1, true, s, ps, surface, '.');
    EXPECT_EQ(s.xmin, fitted.xmin);
    EXPECT_EQ(s.xmax, fitted.xmax);
    EXPECT_EQ(s.ymin, fitted.ymin);
    EXPECT_EQ(s.ymax, fitted.ymax);
    EXPECT_TRUE(result.clearreadout);
    EXPECT_EQ(ps.pinned, 0);
    EXPECT_EQ(result.tbymax, "3.5203");
    EXPECT_EQ(result.tbxmin, "-171.63");
    EXPECT_EQ(result.tbxmax, "-73.757");
}

TEST_F(Redraw, NoFitWithoutTheAutomaticArgument) {
    s.xmin = 100;
    s.xmax = 200;
    ps.pinned = 1;
    const FastdrawResult result = fastdraw(0, true, s, ps, surface, '.');
    EXPECT_EQ(s.xmin, 100);
    EXPECT_EQ(s.xmax, 200);
    EXPECT_FALSE(result.clearreadout);
    EXPECT_EQ(ps.pinned, 1);
}

TEST_F(Redraw, NoFitWhenBothCurvesAreInViewAndTheToggleIsOff) {
    const FastdrawResult result = fastdraw(1, false, s, ps, surface, '.');
    EXPECT_EQ(s.xmin, defaultxmin);
    EXPECT_EQ(s.ymax, defaultymax);
    EXPECT_FALSE(result.clearreadout);
}

TEST_F(Redraw, CurveOutOfViewIsFittedOnceEvenWithTheToggleOff) {
    ModelState fitted = s;
    autoscale(fitted);
    s.xmin = -200;
    s.xmax = -170;
    ps.pinned = 1;
    const FastdrawResult result = fastdraw(1, false, s, ps, surface, '.');
    EXPECT_EQ(s.xmin, fitted.xmin);
    EXPECT_EQ(s.xmax, fitted.xmax);
    EXPECT_EQ(s.ymax, fitted.ymax);
    EXPECT_TRUE(result.clearreadout);
    EXPECT_EQ(ps.pinned, 0);
    // Two passes over the rows: the first one's zone line starts the calls, and the second pass starts
    // with the fitted columns.
    const size_t pass = 3u + 7u * (N - 1) + 2u;
    ASSERT_GT(surface.ops.size(), 2 * pass);
    const int pa = column(erevant(s, rowy(0))), pb = column(erevatpase(s, rowy(0)));
    EXPECT_EQ(slice(surface.ops, pass, 3), zones(10, pa, pb));
    EXPECT_EQ(surface.ops[2 * pass], test::line(0, 280, 551, 280, plotcolours::background));
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

} // namespace
} // namespace kelvora

namespace kelvora {
namespace {

// States no valid path produces, and surfaces far from the window's: the redraw must still end and
// draw only what makes sense (sanitizer builds check that nothing undefined happens on the way).
struct Extremes : testing::Test {
    void SetUp() override {
        buildtables(s);
        resetsettings(s);
    }
    size_t texts(const test::RecordingSurface& surface, const std::string& part) const {
        size_t count = 0;
        for (const test::Op& op : surface.ops)
            if (op.kind == test::Op::Print && op.text.find(part) != std::string::npos) ++count;
        return count;
    }
    ModelState s;
    PlotState ps;
};

TEST_F(Extremes, LimitsWithoutAUsableRange) {
    initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double big = std::numeric_limits<double>::max();
    const std::vector<std::array<double, 4>> cases = {
        {-160, -160, 0, 3},    {-80, -160, 3, 0},    {-big, big, 0, big},
        {-inf, inf, 0, inf},   {nan, nan, nan, nan}, {1e300, 1e300 * (1 + 1e-15), 0, 1e-300},
        {-160, -80, 0, 5e-324}};
    for (const auto& c : cases) {
        s.xmin = c[0];
        s.xmax = c[1];
        s.ymin = c[2];
        s.ymax = c[3];
        test::RecordingSurface surface(defaultsurfacewidth, defaultsurfaceheight);
        fastdraw(0, false, s, ps, surface, '.');
        EXPECT_GT(surface.ops.size(), 100u) << c[0] << " " << c[1] << " " << c[2] << " " << c[3];
        EXPECT_LE(texts(surface, " mV"), 12u);
    }
}

TEST_F(Extremes, EmptyXRangeHasNoXLabels) {
    initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    s.xmin = s.xmax = -100;
    test::RecordingSurface surface(defaultsurfacewidth, defaultsurfaceheight);
    fastdraw(0, false, s, ps, surface, '.');
    EXPECT_EQ(texts(surface, " mV"), 0u);
    EXPECT_EQ(texts(surface, ".5"), 3u);
}

TEST_F(Extremes, TinySurfacesAndHugeShifts) {
    for (const auto& size : std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {60, 20}, {91, 36}, {2, 2000}}) {
        initplotstate(ps, size.first, size.second);
        ps.xshift = 1e300;
        ps.yshift = -1e300;
        ps.pinned = 1;
        ps.pressx = -32768;
        ps.pressy = 32767;
        test::RecordingSurface surface(size.first, size.second);
        const FastdrawResult result = fastdraw(1, true, s, ps, surface, ',');
        EXPECT_FALSE(result.tbxmin.empty());
        EXPECT_EQ(ps.pinned, 0);
    }
}

} // namespace
} // namespace kelvora
