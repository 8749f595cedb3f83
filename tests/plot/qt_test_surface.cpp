// The QImage surface: its line rule, clipping, pixels and text.
#include "plot/qimagesurface.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <utility>

namespace kelvora {
namespace {

constexpr Colour grey{128, 128, 128};
constexpr Colour red{255, 0, 0};

Colour at(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Colour{static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
                  static_cast<uint8_t>(qBlue(p))};
}

using Pixels = std::set<std::pair<int, int>>;

Pixels painted(const QImageSurface& surface, Colour c) {
    Pixels out;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (at(surface.image(), x, y) == c) out.insert({x, y});
    return out;
}

struct SurfaceTest : testing::Test {
    void SetUp() override { surface.fill(grey); }
    QImageSurface surface{20, 12};
};

TEST_F(SurfaceTest, SizeAndFill) {
    EXPECT_EQ(surface.width(), 20);
    EXPECT_EQ(surface.height(), 12);
    EXPECT_EQ(painted(surface, grey).size(), 240u);
}

TEST_F(SurfaceTest, HorizontalLineIncludesFirstAndExcludesLastPoint) {
    surface.line(2, 3, 6, 3, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
    surface.fill(grey);
    surface.line(6, 3, 2, 3, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{6, 3}, {5, 3}, {4, 3}, {3, 3}}));
}

TEST_F(SurfaceTest, VerticalLineIncludesFirstAndExcludesLastPoint) {
    surface.line(4, 1, 4, 4, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{4, 1}, {4, 2}, {4, 3}}));
    surface.fill(grey);
    surface.line(4, 4, 4, 1, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{4, 4}, {4, 3}, {4, 2}}));
}

TEST_F(SurfaceTest, LineToItselfSetsNothing) {
    surface.line(5, 5, 5, 5, red);
    EXPECT_TRUE(painted(surface, red).empty());
}

TEST_F(SurfaceTest, DiagonalLinesRoundHalfAwayFromTheFirstPoint) {
    surface.line(0, 0, 4, 1, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    surface.fill(grey);
    surface.line(4, 1, 0, 0, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{4, 1}, {3, 1}, {2, 0}, {1, 0}}));
    surface.fill(grey);
    surface.line(0, 0, 1, 3, red); // steep: one pixel per row
    EXPECT_EQ(painted(surface, red), (Pixels{{0, 0}, {0, 1}, {1, 2}}));
    surface.fill(grey);
    surface.line(10, 2, 4, 6, red); // D = 6, minor 4: offsets floor((8k + 6) / 12)
    EXPECT_EQ(painted(surface, red), (Pixels{{10, 2}, {9, 3}, {8, 3}, {7, 4}, {6, 5}, {5, 5}}));
    surface.fill(grey);
    surface.line(3, 3, 6, 6, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{3, 3}, {4, 4}, {5, 5}}));
}

TEST_F(SurfaceTest, LinesAreClippedToTheImage) {
    surface.line(-5, 2, 100, 2, red);
    Pixels row;
    for (int x = 0; x < 20; ++x)
        row.insert({x, 2});
    EXPECT_EQ(painted(surface, red), row);

    surface.fill(grey);
    surface.line(-3, -3, 3, 3, red); // enters at the corner
    EXPECT_EQ(painted(surface, red), (Pixels{{0, 0}, {1, 1}, {2, 2}}));

    surface.fill(grey);
    surface.line(30, 0, 40, 5, red);
    surface.line(0, -1, 19, -1, red);
    surface.line(0, 12, 19, 12, red);
    surface.line(-1, 0, -1, 11, red);
    EXPECT_TRUE(painted(surface, red).empty());
}

TEST_F(SurfaceTest, FarAwayEndPointsNeitherOverflowNorWalkTheWholeLine) {
    surface.line(INT_MIN, 5, INT_MAX, 5, red);
    EXPECT_EQ(painted(surface, red).size(), 20u);

    // A 45-degree line between far corners: the products of its walk exceed 64 bits.
    surface.fill(grey);
    surface.line(-2000000000, -2000000000, 2000000000, 2000000000, red);
    Pixels diagonal;
    for (int i = 0; i < 12; ++i)
        diagonal.insert({i, i});
    EXPECT_EQ(painted(surface, red), diagonal);

    surface.fill(grey);
    surface.line(INT_MAX, INT_MIN, INT_MIN, INT_MAX, red); // through the image near the origin
    EXPECT_TRUE(painted(surface, red).empty());            // every pixel of it has x + y = -1
}

TEST_F(SurfaceTest, Pset) {
    surface.pset(0, 0, red);
    surface.pset(19, 11, red);
    surface.pset(-1, 0, red);
    surface.pset(20, 0, red);
    surface.pset(0, 12, red);
    EXPECT_EQ(painted(surface, red), (Pixels{{0, 0}, {19, 11}}));
}

TEST_F(SurfaceTest, LaterDrawingCoversEarlierColumnsOfAMargin) {
    // Columns side by side, as the margins are painted, then other drawing over them.
    for (int x = 2; x <= 6; ++x)
        surface.line(x, 1, x, 9, red);
    const Colour blue{0, 0, 255};
    surface.pset(3, 4, blue);
    surface.line(0, 6, 20, 6, blue);
    surface.line(5, 0, 5, 12, blue);
    Pixels expectedred, expectedblue;
    for (int x = 2; x <= 6; ++x)
        for (int y = 1; y <= 8; ++y)
            expectedred.insert({x, y});
    for (int x = 0; x < 20; ++x)
        expectedblue.insert({x, 6});
    for (int y = 0; y < 12; ++y)
        expectedblue.insert({5, y});
    expectedblue.insert({3, 4});
    for (const auto& p : expectedblue)
        expectedred.erase(p);
    EXPECT_EQ(painted(surface, red), expectedred);
    EXPECT_EQ(painted(surface, blue), expectedblue);
}

TEST_F(SurfaceTest, ImageCopyKeepsItsPicture) {
    surface.line(0, 0, 0, 12, red);
    const QImage before = surface.image();
    surface.line(0, 3, 20, 3, Colour{0, 0, 255});
    surface.line(1, 0, 1, 12, red);
    EXPECT_EQ(at(before, 0, 3), red);
    EXPECT_EQ(at(before, 1, 0), grey);
    EXPECT_EQ(at(surface.image(), 0, 3), (Colour{0, 0, 255}));
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
            EXPECT_EQ(c, (Colour{0, 0, 0})) << x << "," << y; // no antialiasing
            EXPECT_GE(x, 10);
            EXPECT_LT(x, 10 + std::ceil(w));
            EXPECT_GE(y, 5);
            EXPECT_LT(y, 5 + std::ceil(h));
            ++black;
        }
    EXPECT_GT(black, 30u);
}

TEST(SurfaceText, SameAsDrawingWithQPainter) {
    // A text printed again comes from the kept rendering; both must be what QPainter draws itself.
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
    surface.print(195, 40, "2,5"); // partly outside
    EXPECT_TRUE(surface.image() == direct);
}

TEST(SurfaceText, PrintPositionIsExact) {
    QImageSurface a(60, 30), b(60, 30);
    a.fill(grey);
    b.fill(grey);
    a.print(10, 7, "2.5");
    b.print(13, 9, "2.5");
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inside = x + 3 < 60 && y + 2 < 30;
            if (inside) {
                EXPECT_EQ(at(a.image(), x, y), at(b.image(), x + 3, y + 2)) << x << "," << y;
            }
        }
}

} // namespace
} // namespace kelvora
