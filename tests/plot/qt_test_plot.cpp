// The whole redraw on the QImage surface: exact colours at exact pixels; and inputs no valid state gives.
#include "plot/crossingmarker.h"
#include "plot/curves.h"
#include "plot/redraw.h"

#include "../model/factory.h"
#include "model/crossing.h"
#include "model/crossingtext.h"
#include "model/potentials.h"
#include "plot/qimagesurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace kelvora {
namespace {

// Written out rather than taken from the program's constants, so that a wrong constant shows.
constexpr Colour yellow{191, 192, 0}; // left of both curves
constexpr Colour darkred{124, 2, 1};  // translocase left of synthase; rows not computed
constexpr Colour orange{250, 131, 1}; // synthase left of (or on) the translocase
constexpr Colour grey{128, 128, 128}; // right of both curves
constexpr Colour white{255, 255, 255};
constexpr Colour black{0, 0, 0};
constexpr Colour axisblue{0, 0, 150};
constexpr Colour green{0, 200, 0}; // not a plot colour
constexpr int L = leftmargin;

Colour at(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Colour{static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
                  static_cast<uint8_t>(qBlue(p))};
}

// The default state, and the plot at the window's size (551 x 305: W = 461, N = 270, R = 521).
struct Plot : testing::Test {
    void SetUp() override { setsize(defaultsurfacewidth, defaultsurfaceheight); }
    void setsize(int w, int h, double scale = 1.0) {
        initplotstate(ps, w, h, plotcolours::background, scale);
        surface = std::make_unique<QImageSurface>(devicepixels(w, scale), devicepixels(h, scale), scale);
        surface->fill(green); // anything left unpainted would show
    }
    void draw() { drawplot(s, ps, *surface, '.'); }
    QImage image() const { return surface->image(); }
    Colour pixel(int x, int y) const { return at(image(), x, y); }
    int nrows() const { return ps.plotheight; }
    int right() const { return ps.surfacewidth - rightmargin; }
    // The y value of row i and the column of a potential, computed here from the limits.
    double rowy(int i) const { return (s.ymax - s.ymin) * (nrows() - i) / nrows() + s.ymin + ps.yshift; }
    int column(double e) const {
        const double p =
            std::clamp((e + ps.xshift - s.xmin) / (s.xmax - s.xmin) * ps.plotwidth, -2000.0, 2000.0);
        return L + static_cast<int>(std::floor(p));
    }
    int antcol(int i) const { return column(erevant(s, rowy(i))); }
    int atpasecol(int i) const { return column(erevatpase(s, rowy(i))); }

    ModelState s = factorystate();
    PlotState ps;
    std::unique_ptr<QImageSurface> surface;
};

TEST_F(Plot, ZonesAndCurvesAtComputedRows) {
    draw();
    // Rows away from the crossing (near row 164): orange above it, dark red below.
    for (int i : {1, 40, 100, 200, 230, 240}) {
        const int row = topmargin + i;
        const int pa = antcol(i), pb = atpasecol(i);
        // The curve segments of this row and of the rows next to it cover these spans, their last columns
        // included.
        const auto [alo, ahi] = std::minmax({antcol(i - 1), pa, antcol(i + 1)});
        const auto [blo, bhi] = std::minmax({atpasecol(i - 1), pb, atpasecol(i + 1)});
        SCOPED_TRACE(testing::Message() << "row " << i << " pa " << pa << " pb " << pb);
        ASSERT_TRUE(ahi + 4 < blo || bhi + 4 < alo);
        const int lo = std::min(alo, blo), hi = std::max(ahi, bhi) + 1;
        ASSERT_GT(lo, L + 2);
        ASSERT_LT(hi, right() - 2);
        const int midlo = std::min(ahi, bhi) + 1, midhi = std::max(alo, blo);
        const Colour between = pa < pb ? darkred : orange;
        const std::vector<std::pair<int, Colour>> expected = {
            {L + 1, yellow}, {lo - 1, yellow},    {midlo + 1, between}, {midhi - 1, between},
            {hi + 1, grey},  {right() - 1, grey}, {pa, white},          {pa + 1, white},
            {pb, black},     {pb + 1, black}};
        for (const auto& [x, colour] : expected)
            EXPECT_EQ(pixel(x, row), colour) << x;
    }
}

// Everything outside the inside of the plot area, pixel for pixel: the margins in the window's background,
// both axis lines and the tick marks of the default limits (x -160 ... -80 mV by 20, y 0 ... 3 by 0.5);
// where the labels stand is checked on a surface that records what is printed, so their (black) pixels
// are passed over here.
TEST_F(Plot, FrameAndTickMarksForTheDefaultLimits) {
    const Colour window{212, 208, 200};
    initplotstate(ps, 551, 305, window);
    draw();
    QImageSurface reference(551, 305);
    reference.fill(window);
    // Every axis line and tick mark is two pixels wide; y marks five long, x marks six down.
    reference.fillrect(59, 10, 2, 273, axisblue);
    reference.fillrect(59, 280, 463, 2, axisblue);
    for (double v : {0.0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0}) // rows 280, 235, ..., 10
        reference.fillrect(55, 10 + static_cast<int>(std::floor(270 - 270 * v / 3)), 5, 2, axisblue);
    for (double v : {-160.0, -140.0, -120.0, -100.0, -80.0}) // columns 60, 175, 290, 405, 521
        reference.fillrect(L - 1 + static_cast<int>(std::floor(461 * (v + 160) / 80)), 280, 2, 6, axisblue);
    int text = 0;
    for (int y = 0; y < 305; ++y)
        for (int x = 0; x < 551; ++x) {
            if (x > L && x < right() && y >= 10 && y < 280) continue;
            const Colour c = pixel(x, y);
            text += c == black;
            ASSERT_EQ(c, c == black ? black : at(reference.image(), x, y)) << x << "," << y;
        }
    EXPECT_GT(text, 100); // the labels are there
}

// The curves run out along the last row only with the ratio on the y axis and the visible range starting
// at exactly 0; otherwise the last row gets the end pixels that its segments leave out.
TEST_F(Plot, LastRowRule) {
    // Both from 0; xmin puts both curves inside the plot on the last row.
    // y axis, ymax, xmin, whether the curves run out.
    const std::tuple<int16_t, double, double, bool> cases[] = {{ratioaxis, 3, -400, true},
                                                               {Mg, 2, -160, false}};
    for (const auto& [yaxis, ymax, xmin, runsout] : cases) {
        SCOPED_TRACE(yaxis);
        std::tie(s.yaxis, s.ymin, s.ymax, s.xmin) = std::tuple(yaxis, 0.0, ymax, xmin);
        draw();
        const int i = nrows() - 1, row = topmargin + i;
        const int pa = antcol(i), pb = atpasecol(i);
        ASSERT_GT(pa, L + 3);
        ASSERT_LT(pb, right() - 3);
        ASSERT_TRUE(runsout ? pa + 6 < pb : std::abs(pa - pb) > 6) << pa << " " << pb;
        for (int k : {0, 1}) {
            EXPECT_EQ(pixel(pa + k, row), white);
            EXPECT_EQ(pixel(pb + k, row), black);
        }
        // Run out: white from the left edge, black to the right edge, the zones only on the rows above.
        for (int x = L + 1; runsout && x <= pa + 1; ++x)
            EXPECT_EQ(pixel(x, row), white) << x;
        for (int x = pb - 1; runsout && x < right(); ++x)
            EXPECT_EQ(pixel(x, row), black) << x;
        EXPECT_EQ(pixel(L + 1, runsout ? row - 1 : row), yellow);
        EXPECT_EQ(pixel(right() - 1, runsout ? row - 1 : row), grey);
    }
}

TEST_F(Plot, PinnedMarkerShapeAndOnlyPlotColours) {
    draw();
    const QImage unpinned = image().copy();
    std::tie(ps.pinned, ps.pressx, ps.pressy) = std::tuple(true, 300, 150);
    draw();
    // A white cross of arms 5 long, outlined in black; around it the plot as before.
    for (int dy = -8; dy <= 8; ++dy)
        for (int dx = -8; dx <= 8; ++dx) {
            const bool centre = (dx == 0 && std::abs(dy) <= 5) || (dy == 0 && std::abs(dx) <= 5);
            const bool edge =
                (std::abs(dx) <= 1 && std::abs(dy) <= 6) || (std::abs(dy) <= 1 && std::abs(dx) <= 6);
            const Colour expected = centre ? white : (edge ? black : at(unpinned, 300 + dx, 150 + dy));
            EXPECT_EQ(pixel(300 + dx, 150 + dy), expected) << dx << "," << dy;
        }
    // No antialiasing and nothing left unpainted: every pixel has a plot colour or the (black) text colour.
    std::set<uint32_t> allowed;
    for (Colour c : {yellow, darkred, orange, grey, white, black, axisblue, plotcolours::background})
        allowed.insert(c.argb());
    const QImage picture = image();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_TRUE(allowed.count(picture.pixel(x, y)))
                << x << "," << y << " " << std::hex << picture.pixel(x, y);
}

// At twice the density the figure is the same: margins, axes, tick marks and the marker are the logical
// ones at two device pixels a logical pixel, the zones lie where they lay, and the labels are set at twice
// the font size.
TEST_F(Plot, ScaleTwoIsTheSameFigureAtTwiceTheDensity) {
    // The same pinned marker drawn at either density.
    const auto drawn = [&](double scale) {
        setsize(defaultsurfacewidth, defaultsurfaceheight, scale);
        std::tie(ps.pinned, ps.pressx, ps.pressy) = std::tuple(true, 300, 150);
        draw();
        return image();
    };
    const QImage one = drawn(1.0), two = drawn(2.0);
    ASSERT_EQ(two.size(), QSize(1102, 610));

    // A logical pixel whose neighbours within two pixels all have its colour.
    const auto uniform = [&](int x, int y) {
        QImage same(5, 5, one.format());
        same.fill(one.pixel(x, y));
        return one.copy(x - 2, y - 2, 5, 5) == same;
    };
    int zonepixels = 0;
    for (int y = 2; y < 303; ++y)
        for (int x = 2; x < 549; ++x) {
            const bool inside = x > L && x < right() && y >= topmargin && y < topmargin + nrows();
            const int dx = std::abs(x - 300), dy = std::abs(y - 150);
            const bool marker = (dx <= 1 && dy <= 6) || (dy <= 1 && dx <= 6);
            if (inside && !marker && !uniform(x, y)) continue; // curves and zone edges move within a pixel
            // Left of the y axis and below the x axis: the labels, set in a font of their own size, and
            // the tick marks, placed at the device pixel of their value.
            if (x < 59 || y >= 282) continue;
            zonepixels += inside && !marker;
            for (int k = 0; k < 4; ++k)
                ASSERT_EQ(at(two, 2 * x + k % 2, 2 * y + k / 2), at(one, x, y)) << x << "," << y;
        }
    EXPECT_GT(zonepixels, 100000);

    // The curves keep their width of two logical pixels: the translocase's white crosses row 100 at twice
    // the density in one run of four device pixels.
    const int row = 2 * (topmargin + 100);
    int whiterun = 0;
    for (int x = 2 * L + 2; x < 2 * right(); ++x)
        whiterun += at(two, x, row) == white;
    EXPECT_EQ(whiterun, 4);
}

TEST_F(Plot, ReFitsOnlyWhereAllowedAndRedrawsWithTheFittedLimits) {
    ModelState fitted = s;
    autoscale(fitted);
    PlotState fittedps = ps;
    QImageSurface expected(ps.surfacewidth, ps.surfaceheight);
    drawplot(fitted, fittedps, expected, '.');

    std::tie(s.xmin, s.xmax) = std::pair(-200.0, -170.0); // the synthase curve never enters
    ps.pinned = true;
    // Without leave to fit, automatic or not, the limits stay and nothing is unpinned.
    EXPECT_FALSE(redraw(false, true, s, ps, *surface, '.'));
    EXPECT_EQ(s.xmin, -200.0);
    EXPECT_TRUE(ps.pinned);
    EXPECT_TRUE(redraw(true, false, s, ps, *surface, '.'));
    EXPECT_EQ(limitsof(s), limitsof(fitted));
    EXPECT_TRUE(image() == expected.image());
    EXPECT_FALSE(ps.pinned);
}

// Rows with y at or below 0 are dark red and the curves skip them.
TEST_F(Plot, RowsAtOrBelowZeroAreDarkRed) {
    ps.yshift = -1; // rows 180 ... 269 stand for y <= 0
    draw();
    for (int i = 180; i < nrows(); ++i)
        for (int x = L + 1; x < right(); ++x)
            ASSERT_EQ(pixel(x, topmargin + i), darkred) << x << "," << i;
    EXPECT_NE(pixel(L + 1, topmargin + 150), darkred);
}

// States no valid path produces, and surfaces far from the window's: the redraw must still end (sanitizer
// builds check that nothing undefined happens on the way). The tick rule's own unusable input is checked
// without a surface.
TEST_F(Plot, UnusableRangesLimitsSurfacesAndShiftsStillEnd) {
    using lim = std::numeric_limits<double>;
    const double inf = lim::infinity(), nan = lim::quiet_NaN(), big = lim::max();
    const std::vector<std::array<double, 4>> cases = {
        {-160, -160, 0, 3},    {-80, -160, 3, 0},    {-big, big, 0, big},
        {-inf, inf, 0, inf},   {nan, nan, nan, nan}, {1e300, 1e300 * (1 + 1e-15), 0, 1e-300},
        {-160, -80, 0, 5e-324}};
    for (const auto& [xmin, xmax, ymin, ymax] : cases) {
        std::tie(s.xmin, s.xmax, s.ymin, s.ymax) = std::tie(xmin, xmax, ymin, ymax);
        draw();
        EXPECT_EQ(pixel(L, 100), axisblue) << xmin << " " << xmax << " " << ymin << " " << ymax;
    }
    resetsettings(s);
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {60, 20}, {91, 36}, {2, 2000}}) {
        setsize(w, h);
        std::tie(ps.xshift, ps.yshift) = std::pair(1e300, -1e300);
        std::tie(ps.pinned, ps.pressx, ps.pressy) = std::tuple(true, -32768, 32767);
        EXPECT_TRUE(redraw(true, true, s, ps, *surface, ','));
        EXPECT_FALSE(ps.pinned);
    }
}

TEST_F(Plot, CrossingMarkerStandsAtTheCrossingAndLeavesTheStateAlone) {
    draw();
    const ModelState before = s;
    ASSERT_TRUE(drawcrossingmarker(s, ps, *surface));
    EXPECT_EQ(limitsof(s), limitsof(before));
    const CrossingPosition c = *crossingposition(s);
    const int x = column(c.potential);
    const int y =
        topmargin + nrows() - static_cast<int>(std::floor((c.y - s.ymin) / (s.ymax - s.ymin) * nrows()));
    const int r = crossingmarkerradius;
    EXPECT_EQ(pixel(x - r, y), black);
    EXPECT_EQ(pixel(x + r - 1, y), white);
    // Out of view, nothing is drawn.
    s.xmin = 0, s.xmax = 10;
    EXPECT_FALSE(drawcrossingmarker(s, ps, *surface));
}

} // namespace
} // namespace kelvora
