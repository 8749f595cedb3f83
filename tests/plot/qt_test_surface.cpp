// The QImage surface: its line rule, clipping, pixels and text.
#include "plot/qimagesurface.h"
#include "plottest.h"

#include <QPainter>

#include <climits>
#include <set>
#include <utility>

namespace kelvora {
namespace {

using test::at;
constexpr Colour grey{128, 128, 128};
constexpr Colour red{255, 0, 0};
constexpr Colour blue{0, 0, 255};

using Pixels = std::set<std::pair<int, int>>;

// count pixels from (x, y) in steps of (dx, dy).
Pixels run(int x, int y, int dx, int dy, int count) {
    Pixels out;
    for (int k = 0; k < count; ++k)
        out.insert({x + k * dx, y + k * dy});
    return out;
}

Pixels painted(const QImageSurface& surface, Colour c) {
    Pixels out;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (at(surface.image(), x, y) == c) out.insert({x, y});
    return out;
}

TEST(Surface, LinesIncludeTheFirstPointExcludeTheLastAndAreClipped) {
    struct Case {
        int x1, y1, x2, y2;
        Pixels expected;
    };
    const Case cases[] = {
        {2, 3, 6, 3, run(2, 3, 1, 0, 4)},
        {6, 3, 2, 3, run(6, 3, -1, 0, 4)},
        {4, 1, 4, 4, run(4, 1, 0, 1, 3)},
        {4, 4, 4, 1, run(4, 4, 0, -1, 3)},
        {5, 5, 5, 5, {}}, // a line to itself sets nothing
        // Diagonals: the minor coordinate rounds an exact half away from the first point.
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {4, 1, 0, 0, {{4, 1}, {3, 1}, {2, 0}, {1, 0}}},
        {0, 0, 5, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}},           // to the next row, odd length
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},                   // exact halves at k = 1 and 3
        {0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}}},                           // steep: one pixel per row
        {10, 2, 4, 6, {{10, 2}, {9, 3}, {8, 3}, {7, 4}, {6, 5}, {5, 5}}}, // offsets floor((8k + 6) / 12)
        {3, 3, 6, 6, run(3, 3, 1, 1, 3)},
        // Clipped to the 20 x 12 image.
        {-5, 2, 100, 2, run(0, 2, 1, 0, 20)},
        {-3, -3, 3, 3, run(0, 0, 1, 1, 3)}, // enters at the corner
        {30, 0, 40, 5, {}},
        {0, -1, 19, -1, {}},
        {0, 12, 19, 12, {}},
        {-1, 0, -1, 11, {}},
        // Far-away end points neither overflow nor walk the whole line. The diagonal's products exceed
        // 64 bits; the last line passes near the origin, but every pixel of it has x + y = -1.
        {INT_MIN, 5, INT_MAX, 5, run(0, 5, 1, 0, 20)},
        {-2000000000, -2000000000, 2000000000, 2000000000, run(0, 0, 1, 1, 12)},
        {INT_MAX, INT_MIN, INT_MIN, INT_MAX, {}},
    };
    QImageSurface surface(20, 12);
    for (const Case& c : cases) {
        surface.fill(grey);
        surface.line(c.x1, c.y1, c.x2, c.y2, red);
        EXPECT_EQ(painted(surface, red), c.expected) << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    }
}

TEST(Surface, PsetSetsOnePixelInsideOnly) {
    QImageSurface surface(20, 12);
    surface.fill(grey);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {19, 11}, {-1, 0}, {20, 0}, {0, 12}})
        surface.pset(x, y, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{0, 0}, {19, 11}}));
}

TEST(Surface, LaterDrawingCoversEarlierColumnsOfAMargin) {
    // Columns side by side, as the margins are painted, then other drawing over them.
    QImageSurface surface(20, 12);
    surface.fill(grey);
    for (int x = 2; x <= 6; ++x)
        surface.line(x, 1, x, 9, red);
    surface.line(7, 1, 7, 5, red); // next to them but shorter
    surface.pset(3, 4, blue);
    surface.line(0, 6, 20, 6, blue);
    surface.line(5, 0, 5, 12, blue);
    Pixels expectedblue = run(0, 6, 1, 0, 20), expectedred;
    expectedblue.merge(run(5, 0, 0, 1, 12));
    expectedblue.insert({3, 4});
    for (int x = 2; x <= 7; ++x)
        for (int y = 1; y <= 8; ++y)
            if (!expectedblue.count({x, y}) && (x < 7 || y < 5)) expectedred.insert({x, y});
    EXPECT_EQ(painted(surface, red), expectedred);
    EXPECT_EQ(painted(surface, blue), expectedblue);
}

TEST(Surface, ImageCopyKeepsItsPicture) {
    QImageSurface surface(20, 12);
    surface.fill(grey);
    EXPECT_EQ(painted(surface, grey).size(), 240u);
    surface.line(0, 0, 0, 12, red);
    const QImage before = surface.image();
    surface.line(0, 3, 20, 3, blue);
    surface.line(1, 0, 1, 12, red);
    EXPECT_EQ(at(before, 0, 3), red);
    EXPECT_EQ(at(before, 1, 0), grey);
    EXPECT_EQ(at(surface.image(), 0, 3), blue);
    EXPECT_EQ(at(surface.image(), 1, 0), red);
}

TEST(SurfaceText, BlackPixelsOnlyInsideTheMeasuredBox) {
    QImageSurface surface(120, 40);
    surface.fill(grey);
    const std::string text = "-120.5 mV";
    const double w = surface.textwidth(text);
    const double h = surface.textheight(text);
    ASSERT_GT(w, 20.0);
    ASSERT_GT(h, 8.0);
    EXPECT_EQ(surface.textheight("0"), h);
    EXPECT_GT(surface.textwidth("-120.5"), surface.textwidth("0"));
    EXPECT_EQ(surface.textwidth(""), 0.0);

    surface.print(10, 5, text);
    size_t black = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const Colour c = at(surface.image(), x, y);
            if (c == grey) continue;
            EXPECT_EQ(c, test::black) << x << "," << y; // no antialiasing
            EXPECT_TRUE(x >= 10 && x < 10 + std::ceil(w) && y >= 5 && y < 5 + std::ceil(h)) << x << "," << y;
            ++black;
        }
    EXPECT_GT(black, 30u);
}

TEST(SurfaceText, SameAsDrawingWithQPainter) {
    // A text printed again comes from the kept rendering; both must be what QPainter draws itself, at
    // the exact position, also where the text is partly outside.
    QImageSurface surface(200, 60);
    surface.fill(grey);
    surface.line(0, 20, 200, 20, red);
    QImage direct = surface.image().copy();
    const QFontMetricsF metrics(surface.font(), &direct);
    {
        QPainter painter(&direct);
        painter.setFont(surface.font());
        painter.setPen(QColor(Qt::black));
        painter.drawText(QPointF(10, 12 + metrics.ascent()), QStringLiteral("-140 mV"));
        painter.drawText(QPointF(90, 15 + metrics.ascent()), QStringLiteral("-140 mV"));
        painter.drawText(QPointF(195, 40 + metrics.ascent()), QStringLiteral("2,5"));
    }
    surface.print(10, 12, "-140 mV");
    surface.print(90, 15, "-140 mV");
    surface.print(195, 40, "2,5");
    EXPECT_TRUE(surface.image() == direct);
}

} // namespace
} // namespace kelvora
