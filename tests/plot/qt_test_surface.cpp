// The QImage surface's line rule: first point set, last point not, Bresenham with exact halves rounded
// away from the first point, clipped to the image, safe for far-away end points.
#include "plot/qimagesurface.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <tuple>
#include <utility>

namespace kelvora {
namespace {

constexpr Colour grey{128, 128, 128};
constexpr Colour red{255, 0, 0};

using Pixels = std::set<std::pair<int, int>>;

// count pixels from (x, y) in steps of (dx, dy).
Pixels run(int x, int y, int dx, int dy, int count) {
    Pixels out;
    for (int k = 0; k < count; ++k)
        out.insert({x + k * dx, y + k * dy});
    return out;
}

Pixels painted(const QImageSurface& surface, Colour c) {
    const QImage image = surface.image();
    Pixels out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == c.argb()) out.insert({x, y});
    return out;
}

TEST(Surface, LinesIncludeTheFirstPointExcludeTheLastAndAreClipped) {
    // From (x1, y1) to (x2, y2), and the pixels set.
    const std::tuple<int, int, int, int, Pixels> cases[] = {
        {6, 3, 2, 3, run(6, 3, -1, 0, 4)},
        {5, 5, 5, 5, {}}, // a line to itself sets nothing
        // Diagonals: the minor coordinate rounds an exact half away from the first point.
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},                   // exact halves at k = 1 and 3
        {0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}}},                           // steep: one pixel per row
        {10, 2, 4, 6, {{10, 2}, {9, 3}, {8, 3}, {7, 4}, {6, 5}, {5, 5}}}, // offsets floor((8k + 6) / 12)
        // Clipped to the 20 x 12 image.
        {-5, 2, 100, 2, run(0, 2, 1, 0, 20)},
        {-3, -3, 3, 3, run(0, 0, 1, 1, 3)}, // enters at the corner
        // Far-away end points neither overflow nor walk the whole line. The diagonal's products exceed
        // 64 bits; the last line passes near the origin, but every pixel of it has x + y = -1.
        {INT_MIN, 5, INT_MAX, 5, run(0, 5, 1, 0, 20)},
        {-2000000000, -2000000000, 2000000000, 2000000000, run(0, 0, 1, 1, 12)},
        {INT_MAX, INT_MIN, INT_MIN, INT_MAX, {}},
    };
    QImageSurface surface(20, 12);
    for (const auto& [x1, y1, x2, y2, expected] : cases) {
        surface.fill(grey);
        surface.line(x1, y1, x2, y2, red);
        EXPECT_EQ(painted(surface, red), expected) << x1 << "," << y1 << " -> " << x2 << "," << y2;
    }
}

} // namespace
} // namespace kelvora
