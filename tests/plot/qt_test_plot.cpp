// The whole redraw on the QImage surface: exact colours at exact pixels.
#include "plot/fastdraw.h"

#include "model/crossing.h"
#include "model/rounding.h"
#include "plot/qimagesurface.h"
#include "plot/ticks.h"
#include "plottest.h"

#include <memory>
#include <set>

namespace kelvora {
namespace {

using namespace test;

constexpr Colour green{0, 200, 0}; // not a plot colour

struct Plot : PlotFixture {
    void SetUp() override {
        PlotFixture::SetUp();
        setsize(defaultsurfacewidth, defaultsurfaceheight);
    }
    void setsize(int w, int h) {
        initplotstate(ps, w, h);
        surface = std::make_unique<QImageSurface>(w, h);
        surface->fill(green); // anything left unpainted would show
    }
    void draw(int16_t autoflag = 0) { fastdraw(autoflag, false, s, ps, *surface, '.'); }
    QImage image() const { return surface->image(); }
    Colour pixel(int x, int y) const { return at(image(), x, y); }

    std::unique_ptr<QImageSurface> surface;
};

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
        const Colour between = pa < pb ? darkred : orange;
        const std::vector<std::pair<int, Colour>> expected = {
            {L + 1, yellow}, {lo - 1, yellow},    {midlo + 1, between}, {midhi - 1, between},
            {hi + 1, grey},  {right() - 1, grey}, {pa, white},          {pa + 1, white},
            {pb, black},     {pb + 1, black}};
        for (const auto& [x, colour] : expected)
            EXPECT_EQ(pixel(x, row), colour) << x;
    }
    // Both zone orders really occur.
    EXPECT_GT(antcol(1), atpasecol(1));
    EXPECT_LT(antcol(240), atpasecol(240));
}

// Everything outside the inside of the plot area, pixel for pixel: the margins in the window's background,
// both axis lines, the tick marks of the default limits (x -160 ... -80 mV by 20, y 0 ... 3 by 0.5) and
// their labels where the rule places them for the surface's font.
TEST_F(Plot, FrameTicksAndLabelsForTheDefaultLimits) {
    const Colour window{212, 208, 200};
    initplotstate(ps, 551, 305, window);
    draw();
    QImageSurface reference(551, 305);
    reference.fill(window);
    reference.line(60, 10, 60, 282, axisblue);
    reference.line(59, 10, 59, 282, axisblue);
    reference.line(59, 280, 521, 280, axisblue);
    reference.line(59, 281, 521, 281, axisblue);

    // y: the separators of all labels in one column, fw (the widest fraction part) left of the gap of 10.
    const double yticks[] = {0, 0.5, 1, 1.5, 2, 2.5, 3};
    int fw = 0;
    for (double v : yticks) {
        const std::string text = yticklabel(v, '.');
        fw = std::max(fw, roundeven32(reference.textwidth(text.substr(text.find('.')))));
    }
    const int separatorcolumn = L - 10 - fw;
    std::vector<int> tops;
    for (double v : yticks) {
        const int yp = 10 + static_cast<int>(std::floor(270 - 270 * v / 3)); // 280, 235, ..., 10
        reference.line(55, yp, 60, yp, axisblue);
        reference.line(55, yp + 1, 60, yp + 1, axisblue);
        const std::string text = yticklabel(v, '.');
        const std::string whole = text.substr(0, text.find('.'));
        const std::string fraction = text.substr(text.find('.'));
        tops.push_back(roundeven32(yp - reference.textheight(text) / 2.0));
        reference.print(separatorcolumn - roundeven32(reference.textwidth(whole)), tops.back(), whole);
        if (fraction != ".") reference.print(separatorcolumn, tops.back(), fraction);
    }
    // x: columns 60, 175, 290, 405, 521; marks two pixels wide and six down, labels centred below them.
    for (double v : {-160.0, -140.0, -120.0, -100.0, -80.0}) {
        const int xp = L + static_cast<int>(std::floor(461 * (v + 160) / 80));
        reference.line(xp, 280, xp, 286, axisblue);
        reference.line(xp - 1, 280, xp - 1, 286, axisblue);
        const std::string text = xticklabel(v, '.');
        reference.print(roundeven32(xp - roundeven32(reference.textwidth(text)) / 2.0 - 1), 286, text);
    }
    for (int y = 0; y < 305; ++y)
        for (int x = 0; x < 551; ++x)
            if (x <= L || x >= right() || y < 10 || y >= 280) {
                ASSERT_EQ(pixel(x, y), at(reference.image(), x, y)) << x << "," << y;
            }

    // The separators of 0.5, 1.5 and 2.5 stand in one column: the dot's black pixels have the same
    // columns in all three labels.
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
    for (int i = 180; i < nrows(); ++i)
        for (int x = L + 1; x < right(); ++x)
            ASSERT_EQ(pixel(x, topmargin + i), darkred) << x << "," << i;
    EXPECT_NE(pixel(L + 1, topmargin + 150), darkred);
}

// The curves run out along the last row only with the ratio on the y axis and the visible range starting
// at exactly 0; otherwise the last row gets the end pixels that its segments leave out.
TEST_F(Plot, LastRowRule) {
    struct Case {
        const char* name;
        int16_t yaxis;
        double ymin, ymax, yshift, xmin; // xmin: both curves inside the plot on the last row
        bool runsout;
    };
    const Case cases[] = {{"ratio from 0", ratioaxis, 0, 3, 0, -400, true},
                          {"Mg from 0", Mg, 0, 2, 0, -160, false},
                          {"ratio from 0.5", ratioaxis, 0.5, 3, 0, -400, false},
                          {"ratio panned down to 0", ratioaxis, 0.5, 3, -0.5, -400, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.yaxis = c.yaxis;
        s.ymin = c.ymin;
        s.ymax = c.ymax;
        s.xmin = c.xmin;
        ps.yshift = c.yshift;
        draw();
        const int i = nrows() - 1, row = topmargin + i;
        const int pa = antcol(i), pb = atpasecol(i);
        ASSERT_GT(pa, L + 3);
        ASSERT_LT(pb, right() - 3);
        ASSERT_TRUE(c.runsout ? pa + 6 < pb : std::abs(pa - pb) > 6) << pa << " " << pb;
        EXPECT_EQ(pixel(pa, row), white);
        EXPECT_EQ(pixel(pa + 1, row), white);
        EXPECT_EQ(pixel(pb, row), black);
        EXPECT_EQ(pixel(pb + 1, row), black);
        // Run out: white from the left edge, black to the right edge, the zones only on the rows above.
        for (int x = L + 1; c.runsout && x <= pa + 1; ++x)
            EXPECT_EQ(pixel(x, row), white) << x;
        for (int x = pb - 1; c.runsout && x < right(); ++x)
            EXPECT_EQ(pixel(x, row), black) << x;
        EXPECT_EQ(pixel(L + 1, c.runsout ? row - 1 : row), yellow);
        EXPECT_EQ(pixel(right() - 1, c.runsout ? row - 1 : row), grey);
    }
}

TEST_F(Plot, PinnedMarkerShapeAndOnlyPlotColours) {
    draw();
    const QImage unpinned = image().copy();
    ps.pinned = 1;
    ps.pressx = 300;
    ps.pressy = 150;
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
    for (Colour c : {yellow, darkred, orange, grey, white, black, axisblue, back})
        allowed.insert(c.argb());
    const QImage picture = image();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_TRUE(allowed.count(picture.pixel(x, y)))
                << x << "," << y << " " << std::hex << picture.pixel(x, y);

    // Drawn over the margin too, after it is painted.
    ps.pressx = 58;
    ps.pressy = 120;
    draw();
    EXPECT_EQ(pixel(58, 120), white);
    EXPECT_EQ(pixel(53, 120), white);
    EXPECT_EQ(pixel(58, 126), black);
}

TEST_F(Plot, PotentialsClampedAt2000PixelsBeyondTheEdges) {
    setsize(2300, 100); // W = 2210: the clamp column L + 2000 lies inside the plot
    s.xmin = -1000;
    s.xmax = -999; // both potentials map far to the right
    draw();
    const int row = topmargin + 30;
    EXPECT_EQ(pixel(L + 1, row), yellow);
    EXPECT_EQ(pixel(L + 1999, row), yellow);
    EXPECT_EQ(pixel(L + 2000, row), black); // both curves on the same two columns, the synthase last
    EXPECT_EQ(pixel(L + 2001, row), black);
    EXPECT_EQ(pixel(L + 2002, row), grey);
    EXPECT_EQ(pixel(right() - 1, row), grey);

    s.xmin = 0;
    s.xmax = 1; // far to the left: the whole row lies right of both curves
    draw();
    for (int x = L + 1; x < right(); ++x)
        ASSERT_EQ(pixel(x, row), grey) << x;
}

TEST_F(Plot, ReFitRedrawsWithTheFittedLimits) {
    ModelState fitted = s;
    autoscale(fitted);
    PlotState fittedps = ps;
    QImageSurface expected(ps.surfacewidth, ps.surfaceheight);
    fastdraw(0, false, fitted, fittedps, expected, '.');

    s.xmin = -200;
    s.xmax = -170; // the synthase curve never enters
    draw(1);
    EXPECT_EQ(s.xmin, fitted.xmin);
    EXPECT_TRUE(image() == expected.image());

    // Without the automatic argument the same limits stay and give another picture.
    s.xmin = -200;
    s.xmax = -170;
    draw(0);
    EXPECT_EQ(s.xmin, -200);
    EXPECT_FALSE(image() == expected.image());
}

} // namespace
} // namespace kelvora
