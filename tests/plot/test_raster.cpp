// The shared pixel rules on a view narrower than its rows: whatever they are asked, they set only pixels
// of the view, rows found by the stride, and leave the rest of each row alone.
#include "plot/raster.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

constexpr int viewwidth = 4;
constexpr int viewheight = 3;
constexpr int rowpixels = 6;
constexpr uint32_t ink = 0xff123456u;

using Pixels = std::set<std::pair<int, int>>;

TEST(Raster, RulesSetOnlyPixelsOfTheView) {
    const std::pair<std::function<void(const RasterView&)>, Pixels> cases[] = {
        {[](const RasterView& v) { rasterfillrect(v, -2, -2, 100, 100, ink); },
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2}}},
        {[](const RasterView& v) { rasterfillrect(v, 3, 2, 5, 5, ink); }, {{3, 2}}},
        {[](const RasterView& v) { rasterfillrect(v, 1, 1, 0, 2, ink); }, {}},
        {[](const RasterView& v) { rasterpset(v, viewwidth, 0, ink); }, {}},
        {[](const RasterView& v) { rasterpset(v, -1, 1, ink); }, {}},
        {[](const RasterView& v) { rasterline(v, viewwidth, -1, viewwidth, 9, ink); }, {}},
        {[](const RasterView& v) { rasterline(v, 0, -1, 0, 9, ink); }, {{0, 0}, {0, 1}, {0, 2}}},
        {[](const RasterView& v) { rasterline(v, -1, 1, 7, 2, ink); }, {{0, 1}, {1, 1}, {2, 1}, {3, 2}}},
        {[](const RasterView& v) { rasterline(v, 0, 0, 3, 2, ink); }, {{0, 0}, {1, 1}, {2, 1}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::vector<uint32_t> pixels(rowpixels * viewheight);
        cases[i].first({pixels.data(), viewwidth, viewheight, rowpixels});
        Pixels set;
        for (int y = 0; y < viewheight; ++y)
            for (int x = 0; x < rowpixels; ++x)
                if (pixels[y * rowpixels + x] == ink) set.insert({x, y});
        EXPECT_EQ(set, cases[i].second) << "case " << i;
    }
}

} // namespace
} // namespace kelvora
