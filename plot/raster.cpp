#include "plot/raster.h"

#include <algorithm>
#include <cstdlib>

namespace kelvora {

void rasterwalk(const RasterView& v, int x1, int y1, int x2, int y2, uint32_t pixel) {
    using rasterdetail::sign;
    const int64_t w = v.width;
    const int64_t h = v.height;
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;

    // General Bresenham: k = 0 ... d - 1 along the major axis; the minor coordinate is
    // floor((2 k m + d) / (2 d)) steps from the start, m being the minor length.
    const bool xmajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t major0 = xmajor ? x1 : y1;
    const int64_t minor0 = xmajor ? y1 : x1;
    const int64_t smajor = sign(xmajor ? dx : dy);
    const int64_t sminor = sign(xmajor ? dy : dx);
    const int64_t d = xmajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t m = xmajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t majorlimit = (xmajor ? w : h) - 1;
    const int64_t minorlimit = (xmajor ? h : w) - 1;

    // Only the steps whose major coordinate lies on the view: major0 + k * smajor in 0 ... majorlimit.
    int64_t kfirst = 0;
    int64_t klast = d - 1;
    if (smajor > 0) {
        kfirst = std::max(kfirst, -major0);
        klast = std::min(klast, majorlimit - major0);
    } else {
        kfirst = std::max(kfirst, major0 - majorlimit);
        klast = std::min(klast, major0);
    }
    if (kfirst > klast) return;

    // Start of the walk: offset = floor((2 kfirst m + d) / 2d) and its remainder. The product can exceed
    // 64 bits for far-away end points; the walk itself stays within 64 bits.
    int64_t offset = 0;
    int64_t remainder = d;
    if (kfirst > 0) {
        const __int128 twod = static_cast<__int128>(d) * 2;
        const __int128 numerator = static_cast<__int128>(kfirst) * m * 2 + d;
        offset = static_cast<int64_t>(numerator / twod);
        remainder = static_cast<int64_t>(numerator % twod);
    }
    const int64_t twodd = 2 * d;
    const int64_t twom = 2 * m;

    // Kept in locals: the compiler cannot tell that the pixel stores leave the view's fields alone.
    uint32_t* const pixels = v.pixels;
    const std::ptrdiff_t stride = v.stride;

    for (int64_t k = kfirst; k <= klast; ++k) {
        const int64_t major = major0 + k * smajor;
        const int64_t minor = minor0 + offset * sminor;
        if (minor >= 0 && minor <= minorlimit) {
            const int64_t x = xmajor ? major : minor;
            const int64_t y = xmajor ? minor : major;
            pixels[y * stride + x] = pixel;
        }
        remainder += twom;
        if (remainder >= twodd) {
            remainder -= twodd;
            ++offset;
        }
    }
}

} // namespace kelvora
