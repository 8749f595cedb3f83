#include "web/rgbasurface.h"

#include <algorithm>
#include <utility>

namespace kelvora {
namespace {

constexpr uint32_t opaque = 0xff000000u;

uint32_t rgba(Colour c) {
    return opaque | (uint32_t{c.b} << 16) | (uint32_t{c.g} << 8) | c.r;
}

} // namespace

RgbaSurface::RgbaSurface(int width, int height, TextMeasure measure)
    : w_(std::max(width, 0)), h_(std::max(height, 0)), measure_(std::move(measure)),
      pixels_(static_cast<std::size_t>(w_) * static_cast<std::size_t>(h_), opaque) {}

RasterView RgbaSurface::raster() {
    return {pixels_.data(), w_, h_, w_};
}

void RgbaSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    rasterline(raster(), x1, y1, x2, y2, rgba(c));
}

void RgbaSurface::pset(int x, int y, Colour c) {
    rasterpset(raster(), x, y, rgba(c));
}

void RgbaSurface::fillrect(int x, int y, int w, int h, Colour c) {
    rasterfillrect(raster(), x, y, w, h, rgba(c));
}

} // namespace kelvora
