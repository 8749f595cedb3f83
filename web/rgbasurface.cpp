#include "web/rgbasurface.h"

#include <algorithm>
#include <cstdlib>

namespace kelvora {
namespace {

constexpr uint32_t opaque = 0xff000000u;

uint32_t rgba(Colour c) {
    return opaque | (uint32_t{c.b} << 16) | (uint32_t{c.g} << 8) | c.r;
}

int64_t sign(int64_t v) {
    return (v > 0) - (v < 0);
}

} // namespace

RgbaSurface::RgbaSurface(int width, int height, TextMeasure measure)
    : w_(std::max(width, 0)), h_(std::max(height, 0)), measure_(std::move(measure)),
      pixels_(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_), opaque) {}

void RgbaSurface::pset(int x, int y, Colour c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) pixels_[static_cast<std::size_t>(y) * w_ + x] = rgba(c);
}

void RgbaSurface::fillrect(int x, int y, int w, int h, Colour c) {
    const int64_t x1 = std::max<int64_t>(x, 0), x2 = std::min<int64_t>(int64_t{x} + w, w_);
    const int64_t y1 = std::max<int64_t>(y, 0), y2 = std::min<int64_t>(int64_t{y} + h, h_);
    const uint32_t pixel = rgba(c);
    for (int64_t row = y1; row < y2; ++row)
        std::fill(pixels_.begin() + row * w_ + x1, pixels_.begin() + row * w_ + std::max(x1, x2), pixel);
}

// Bresenham: k = 0 ... d - 1 along the major axis, the minor coordinate floor((2 k m + d) / (2 d))
// steps from the start, m being the minor length; only the steps whose major coordinate is on the
// surface are walked.
void RgbaSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    const int64_t dx = int64_t{x2} - x1, dy = int64_t{y2} - y1;
    const bool xmajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t d = xmajor ? std::llabs(dx) : std::llabs(dy);
    if (d == 0) return;
    const int64_t m = xmajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t major0 = xmajor ? x1 : y1, minor0 = xmajor ? y1 : x1;
    const int64_t smajor = sign(xmajor ? dx : dy), sminor = sign(xmajor ? dy : dx);
    const int64_t majorlimit = (xmajor ? w_ : h_) - 1;
    int64_t kfirst = 0, klast = d - 1;
    if (smajor > 0) {
        kfirst = std::max(kfirst, -major0);
        klast = std::min(klast, majorlimit - major0);
    } else {
        kfirst = std::max(kfirst, major0 - majorlimit);
        klast = std::min(klast, major0);
    }
    const uint32_t pixel = rgba(c);
    for (int64_t k = kfirst; k <= klast; ++k) {
        const auto offset = static_cast<int64_t>((__int128{2} * k * m + d) / (__int128{2} * d));
        const int64_t major = major0 + k * smajor, minor = minor0 + sminor * offset;
        const int64_t x = xmajor ? major : minor, y = xmajor ? minor : major;
        if (x >= 0 && y >= 0 && x < w_ && y < h_) pixels_[static_cast<std::size_t>(y * w_ + x)] = pixel;
    }
}

} // namespace kelvora
