// The whole redraw on the QImage surface: exact colours at exact pixels.
#include "plot/fastdraw.h"

#include "model/crossing.h"
#include "model/potentials.h"
#include "model/rounding.h"
#include "plot/qimagesurface.h"
#include "plot/ticks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace kelvora {
namespace {

constexpr int L = leftmargin;
constexpr Colour black{0, 0, 0};
constexpr Colour white{255, 255, 255};
constexpr Colour green{0, 200, 0}; // not a plot colour

Colour at(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Colour{static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
                  static_cast<uint8_t>(qBlue(p))};
}

struct Plot : testing::Test {
    void SetUp() override {
        buildtables(s);
        resetsettings(s);
        setsize(defaultsurfacewidth, defaultsurfaceheight);
    }
    void setsize(int w, int h) {
        initplotstate(ps, w, h);
        surface = std::make_unique<QImageSurface>(w, h);
        surface->fill(green); // anything left unpainted would show
    }
    FastdrawResult draw(int16_t autoflag = 0, bool toggle = false) {
        return fastdraw(autoflag, toggle, s, ps, *surface, '.');
    }
    QImage image() const { return surface->image(); }
    Colour pixel(int x, int y) const { return at(image(), x, y); }

    int n() const { return ps.plotheight; }
    int right() const { return ps.surfacewidth - rightmargin; }
    int bottom() const { return ps.surfaceheight - bottommargin; }
    double rowy(int i) const { return (s.ymax - s.ymin) * (n() - i) / n() + s.ymin + ps.yshift; }
    int column(double e) const {
        const double p =
            std::clamp((e + ps.xshift - s.xmin) / (s.xmax - s.xmin) * ps.plotwidth, -2000.0, 2000.0);
        return L + static_cast<int>(std::floor(p));
    }
    int antcol(int i) const { return column(erevant(s, rowy(i))); }
    int atpasecol(int i) const { return column(erevatpase(s, rowy(i))); }

    ModelState s;
    PlotState ps;
    std::unique_ptr<QImageSurface> surface;
};

TEST_F(Plot, EveryPixelHasAPlotColourOrTheTextColour) {
    ps.pinned = 1;
    ps.pressx = 300;
    ps.pressy = 150;
    draw();
    const std::set<uint32_t> allowed = {
        plotcolours::leftzone.argb(),  plotcolours::betweenzone.argb(), plotcolours::reversedzone.argb(),
        plotcolours::rightzone.argb(), plotcolours::ant.argb(),         plotcolours::atpase.argb(),
        plotcolours::axis.argb(),      plotcolours::background.argb(),  black.argb()};
    const QImage picture = image();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_TRUE(allowed.count(picture.pixel(x, y)))
                << x << "," << y << " " << std::hex << picture.pixel(x, y);
}

TEST_F(Plot, ZonesAndCurvesAtComputedRows) {
    draw();
    // Rows away from the crossing (near row 164): orange above it, dark red below.
    for (int i : {1, 40, 100, 200, 230, 240}) {
        const int row = topmargin + i;
        const int pa = antcol(i), pb = atpasecol(i);
        // The curve segments of this row and of the rows next to it cover these spans.
        const int alo = std::min({antcol(i - 1), pa, antcol(i + 1)});
        const int ahi = std::max({antcol(i - 1), pa, antcol(i + 1)}) + 1;
        const int blo = std::min({atpasecol(i - 1), pb, atpasecol(i + 1)});
        const int bhi = std::max({atpasecol(i - 1), pb, atpasecol(i + 1)}) + 1;
        SCOPED_TRACE(testing::Message() << "row " << i << " pa " << pa << " pb " << pb);
        ASSERT_TRUE(ahi + 3 < blo || bhi + 3 < alo);
        const int lo = std::min(alo, blo), hi = std::max(ahi, bhi);
        ASSERT_GT(lo, L + 2);
        ASSERT_LT(hi, right() - 2);
        const int midlo = std::min(ahi, bhi), midhi = std::max(alo, blo);
        EXPECT_EQ(pixel(L + 1, row), plotcolours::leftzone);
        EXPECT_EQ(pixel(lo - 1, row), plotcolours::leftzone);
        const Colour between = pa < pb ? plotcolours::betweenzone : plotcolours::reversedzone;
        EXPECT_EQ(pixel(midlo + 1, row), between);
        EXPECT_EQ(pixel(midhi - 1, row), between);
        EXPECT_EQ(pixel(hi + 1, row), plotcolours::rightzone);
        EXPECT_EQ(pixel(right() - 1, row), plotcolours::rightzone);
        // Both curves two pixels wide at their own columns.
        EXPECT_EQ(pixel(pa, row), white);
        EXPECT_EQ(pixel(pa + 1, row), white);
        EXPECT_EQ(pixel(pb, row), black);
        EXPECT_EQ(pixel(pb + 1, row), black);
    }
    // Both zone orders really occur.
    EXPECT_GT(antcol(1), atpasecol(1));
    EXPECT_LT(antcol(240), atpasecol(240));
}

TEST_F(Plot, AxisLines) {
    draw();
    const int b = bottom(); // 280
    for (int y = topmargin; y <= b + 1; ++y) {
        EXPECT_EQ(pixel(L - 1, y), plotcolours::axis) << y;
        EXPECT_EQ(pixel(L, y), plotcolours::axis) << y;
    }
    for (int x = L - 1; x < right(); ++x) {
        EXPECT_EQ(pixel(x, b), plotcolours::axis) << x;
        EXPECT_EQ(pixel(x, b + 1), plotcolours::axis) << x;
    }
    EXPECT_EQ(pixel(right() + 1, b), plotcolours::background);
    EXPECT_EQ(pixel(L, topmargin - 1), plotcolours::background);
    EXPECT_EQ(pixel(100, b + 2), plotcolours::background);
    EXPECT_NE(pixel(L + 1, 100), plotcolours::axis);
    EXPECT_EQ(pixel(L - 2, 120), plotcolours::background);
    // Margins on all four sides.
    EXPECT_EQ(pixel(0, 0), plotcolours::background);
    EXPECT_EQ(pixel(550, 304), plotcolours::background);
    EXPECT_EQ(pixel(right(), 100), plotcolours::background);
    EXPECT_EQ(pixel(300, topmargin - 1), plotcolours::background);
}

TEST_F(Plot, TickMarksForTheDefaultLimits) {
    draw();
    const int b = bottom();
    // x: -160, -140, -120, -100, -80 mV at columns 60, 175, 290, 405, 521, two pixels wide, six down.
    for (int xp : {60, 175, 290, 405, 521}) {
        for (int y = b; y < b + 6; ++y) {
            EXPECT_EQ(pixel(xp, y), plotcolours::axis) << xp << "," << y;
            EXPECT_EQ(pixel(xp - 1, y), plotcolours::axis) << xp << "," << y;
        }
        EXPECT_NE(pixel(xp, b + 6), plotcolours::axis) << xp;
        EXPECT_NE(pixel(xp + 1, b + 3), plotcolours::axis) << xp;
        EXPECT_NE(pixel(xp - 2, b + 3), plotcolours::axis) << xp;
    }
    // y: 0 ... 3 by 0.5 at rows 280, 235, ..., 10, two pixels high, five left of the axis.
    for (int yp : {280, 235, 190, 145, 100, 55, 10}) {
        for (int x = L - 5; x < L; ++x) {
            EXPECT_EQ(pixel(x, yp), plotcolours::axis) << x << "," << yp;
            EXPECT_EQ(pixel(x, yp + 1), plotcolours::axis) << x << "," << yp;
        }
        EXPECT_NE(pixel(L - 6, yp), plotcolours::axis) << yp;
    }
    EXPECT_NE(pixel(L - 3, 9), plotcolours::axis);
    EXPECT_NE(pixel(L - 3, 237), plotcolours::axis);
}

TEST_F(Plot, LabelPositionsForTheDefaultLimits) {
    draw();
    // The labels as the rule places them, printed onto a clean margin with the same font.
    QImageSurface reference(ps.surfacewidth, ps.surfaceheight);
    reference.fill(plotcolours::background);
    const std::vector<double> yticks{0, 0.5, 1, 1.5, 2, 2.5, 3};
    int fw = 0;
    for (double v : yticks) {
        const std::string text = yticklabel(v, '.');
        fw = std::max(fw, roundeven32(reference.textwidth(text.substr(text.find('.')))));
    }
    const int separatorcolumn = L - 10 - fw;
    std::vector<int> tops;
    for (double v : yticks) {
        const std::string text = yticklabel(v, '.');
        const std::string whole = text.substr(0, text.find('.'));
        const std::string fraction = text.substr(text.find('.'));
        const int yp = topmargin + static_cast<int>(std::floor(270 - 270 * v / 3));
        const int top = roundeven32(yp - reference.textheight(text) / 2.0);
        tops.push_back(top);
        reference.print(separatorcolumn - roundeven32(reference.textwidth(whole)), top, whole);
        if (fraction != ".") reference.print(separatorcolumn, top, fraction);
    }
    const int b = bottom();
    for (double v : {-160.0, -140.0, -120.0, -100.0, -80.0}) {
        const std::string text = xticklabel(v, '.');
        const int xp = L + static_cast<int>(std::floor(461 * (v + 160) / 80));
        reference.print(roundeven32(xp - roundeven32(reference.textwidth(text)) / 2.0 - 1), b + 6, text);
    }
    // Left margin left of the tick marks, and everything below them: exactly the reference.
    for (int y = 0; y < ps.surfaceheight; ++y)
        for (int x = 0; x < ps.surfacewidth; ++x) {
            const bool labelarea = (x < L - 5 && y < b + 6) || y >= b + 6;
            if (labelarea) {
                ASSERT_EQ(pixel(x, y), at(reference.image(), x, y)) << x << "," << y;
            }
        }

    // The separators of 0.5, 1.5 and 2.5 stand in one column: the dot's black pixels have the same
    // columns in all three labels, and no label text crosses into the tick marks.
    std::vector<std::set<int>> dots;
    const int dotwidth = roundeven32(reference.textwidth("."));
    for (int k : {1, 3, 5}) {
        std::set<int> columns;
        for (int y = tops[k]; y < tops[k] + roundeven32(reference.textheight("0.5")); ++y)
            for (int x = separatorcolumn; x < separatorcolumn + dotwidth; ++x)
                if (pixel(x, y) == black) columns.insert(x);
        ASSERT_FALSE(columns.empty()) << k;
        dots.push_back(columns);
    }
    EXPECT_EQ(dots[0], dots[1]);
    EXPECT_EQ(dots[1], dots[2]);
}

TEST_F(Plot, RowsAtOrBelowZeroAreDarkRed) {
    ps.yshift = -1; // rows 180 ... 269 stand for y <= 0
    draw();
    for (int i = 180; i < n(); ++i)
        for (int x = L + 1; x < right(); ++x)
            ASSERT_EQ(pixel(x, topmargin + i), plotcolours::betweenzone) << x << "," << i;
    EXPECT_NE(pixel(L + 1, topmargin + 150), plotcolours::betweenzone);
}

TEST_F(Plot, BottomRowOfTheRatioRunsOutToTheEdges) {
    s.xmin = -400; // both curves inside the plot on the bottom row
    draw();
    const int i = n() - 1, row = topmargin + i;
    const int pa = antcol(i), pb = atpasecol(i);
    ASSERT_GT(pa, L + 2);
    ASSERT_LT(pb, right() - 2);
    ASSERT_LT(pa + 6, pb);
    for (int x = L + 1; x <= pa + 1; ++x)
        EXPECT_EQ(pixel(x, row), white) << x;
    for (int x = pb - 1; x < right(); ++x)
        EXPECT_EQ(pixel(x, row), black) << x;
    // One row up, the zones are there.
    EXPECT_EQ(pixel(L + 1, row - 1), plotcolours::leftzone);
    EXPECT_EQ(pixel(right() - 1, row - 1), plotcolours::rightzone);
}

TEST_F(Plot, BottomRowOfAParameterAxisHasOnlyTheCurveEnds) {
    s.yaxis = Mg;
    s.ymin = 0;
    s.ymax = 2;
    draw();
    const int i = n() - 1, row = topmargin + i;
    const int pa = antcol(i), pb = atpasecol(i);
    ASSERT_GT(pa, L + 3);
    ASSERT_LT(pb, right() - 3);
    ASSERT_GT(std::abs(pa - pb), 6);
    EXPECT_EQ(pixel(pa, row), white);
    EXPECT_EQ(pixel(pa + 1, row), white);
    EXPECT_EQ(pixel(pb, row), black);
    EXPECT_EQ(pixel(pb + 1, row), black);
    EXPECT_EQ(pixel(L + 1, row), plotcolours::leftzone);
    EXPECT_EQ(pixel(right() - 1, row), plotcolours::rightzone);
}

TEST_F(Plot, PinnedMarkerShape) {
    draw();
    const QImage unpinned = image().copy();
    ps.pinned = 1;
    ps.pressx = 300;
    ps.pressy = 150;
    draw();
    for (int dy = -8; dy <= 8; ++dy)
        for (int dx = -8; dx <= 8; ++dx) {
            const bool centre = (dx == 0 && std::abs(dy) <= 5) || (dy == 0 && std::abs(dx) <= 5);
            const bool edge =
                (std::abs(dx) <= 1 && std::abs(dy) <= 6) || (std::abs(dy) <= 1 && std::abs(dx) <= 6);
            const Colour expected = centre ? white : (edge ? black : at(unpinned, 300 + dx, 150 + dy));
            EXPECT_EQ(pixel(300 + dx, 150 + dy), expected) << dx << "," << dy;
        }
    // Drawn over the margin too, before the ticks.
    ps.pressx = 58;
    ps.pressy = 120;
    draw();
    EXPECT_EQ(pixel(58, 120), white);
    EXPECT_EQ(pixel(53, 120), white);
    EXPECT_EQ(pixel(58, 126), black);
}

TEST(MarkerOnImage, ExactShapeOnAPlainSurface) {
    QImageSurface surface(40, 40);
    surface.fill(green);
    PlotState ps;
    initplotstate(ps, 40, 40);
    drawmarker(ps, surface, 20, 20);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const int dx = x - 20, dy = y - 20;
            const bool centre = (dx == 0 && std::abs(dy) <= 5) || (dy == 0 && std::abs(dx) <= 5);
            const bool edge =
                (std::abs(dx) <= 1 && std::abs(dy) <= 6) || (std::abs(dy) <= 1 && std::abs(dx) <= 6);
            const Colour expected = centre ? white : (edge ? black : green);
            EXPECT_EQ(at(surface.image(), x, y), expected) << x << "," << y;
        }
}

TEST_F(Plot, PotentialsClampedAt2000PixelsBeyondTheEdges) {
    setsize(2300, 100); // W = 2210: the clamp column L + 2000 lies inside the plot
    s.xmin = -1000;
    s.xmax = -999; // both potentials map far to the right
    draw();
    const int row = topmargin + 30;
    EXPECT_EQ(pixel(L + 1, row), plotcolours::leftzone);
    EXPECT_EQ(pixel(L + 1999, row), plotcolours::leftzone);
    EXPECT_EQ(pixel(L + 2000, row), black); // both curves on the same two columns, the synthase last
    EXPECT_EQ(pixel(L + 2001, row), black);
    EXPECT_EQ(pixel(L + 2002, row), plotcolours::rightzone);
    EXPECT_EQ(pixel(right() - 1, row), plotcolours::rightzone);

    s.xmin = 0;
    s.xmax = 1; // far to the left: the whole row lies right of both curves
    draw();
    for (int x = L + 1; x < right(); ++x)
        ASSERT_EQ(pixel(x, row), plotcolours::rightzone) << x;
}

TEST_F(Plot, ReFitRedrawsWithTheFittedLimits) {
    ModelState fitted = s;
    autoscale(fitted);
    PlotState fittedps = ps;
    QImageSurface expected(ps.surfacewidth, ps.surfaceheight);
    fastdraw(0, false, fitted, fittedps, expected, '.');

    s.xmin = -200;
    s.xmax = -170; // the synthase curve never enters
    draw(1, false);
    EXPECT_EQ(s.xmin, fitted.xmin);
    EXPECT_TRUE(image() == expected.image());

    // Without the automatic argument the same limits stay and give another picture.
    s.xmin = -200;
    s.xmax = -170;
    draw(0, false);
    EXPECT_EQ(s.xmin, -200);
    EXPECT_FALSE(image() == expected.image());
}

} // namespace
} // namespace kelvora
