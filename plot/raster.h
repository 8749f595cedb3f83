// The pixel rules of Surface on a plain block of 32-bit pixels, shared by the raster surfaces so that
// the window, the PNG export and the web page set the very same pixels. No toolkit: each surface
// encodes its colours itself and hands the rules an encoded pixel, which they copy unchanged.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwchar>

namespace kelvora {

// width x height pixels, row y starting stride pixels after row y - 1 (stride >= width).
struct RasterView {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// The helpers of the rules below, inline so that each surface's calls compile into plain fills and stores.
namespace rasterdetail {

inline int64_t sign(int64_t v) {
    return (v > 0) - (v < 0);
}

// Fills n 32-bit pixels. The C library's wide-character fill is a vectorised 32-bit fill where
// wchar_t has 32 bits; elsewhere a plain loop does it.
inline void fill32(uint32_t* p, size_t n, uint32_t pixel) {
    if constexpr (sizeof(wchar_t) == sizeof(uint32_t)) {
        std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(pixel), n);
    } else {
        std::fill(p, p + n, pixel);
    }
}

// lo ... hi: the part of the run a ... b (both included, either order) inside 0 ... size - 1.
inline bool cliprun(int64_t& lo, int64_t& hi, int64_t a, int64_t b, int64_t size) {
    lo = std::max<int64_t>(std::min(a, b), 0);
    hi = std::min<int64_t>(std::max(a, b), size - 1);
    return lo <= hi;
}

inline uint32_t* row(const RasterView& v, int64_t y) {
    return v.pixels + y * v.stride;
}

// Runs already clipped, first <= last.
inline void hspan(const RasterView& v, int64_t y, int64_t x1, int64_t x2, uint32_t pixel) {
    fill32(row(v, y) + x1, static_cast<size_t>(x2 - x1 + 1), pixel);
}

inline void vspan(const RasterView& v, int64_t x, int64_t y1, int64_t y2, uint32_t pixel) {
    uint32_t* p = row(v, y1) + x;
    for (int64_t y = y1; y <= y2; ++y, p += v.stride)
        *p = pixel;
}

// A horizontal run between two pixels, both included, in either order, clipped here.
inline void hrun(const RasterView& v, int64_t y, int64_t xa, int64_t xb, uint32_t pixel) {
    int64_t lo, hi;
    if (y < 0 || y >= v.height || !cliprun(lo, hi, xa, xb, v.width)) return;
    hspan(v, y, lo, hi, pixel);
}

} // namespace rasterdetail

// The general Bresenham walk of rasterline, for lines that are neither a run nor a step to the next row.
void rasterwalk(const RasterView& v, int x1, int y1, int x2, int y2, uint32_t pixel);

// Surface::line: first point set, last point not, Bresenham with exact halves rounded away from the
// first point, clipped to the view; exact for any int end points.
inline void rasterline(const RasterView& v, int x1, int y1, int x2, int y2, uint32_t pixel) {
    const int64_t w = v.width;
    const int64_t h = v.height;
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    if (dx == 0 && dy == 0) return;

    // Horizontal and vertical runs, the bulk of a redraw, are filled directly; the end point is left out.
    int64_t lo, hi;
    if (dy == 0) {
        if (y1 >= 0 && y1 < h && rasterdetail::cliprun(lo, hi, x1, x2 - rasterdetail::sign(dx), w))
            rasterdetail::hspan(v, y1, lo, hi, pixel);
        return;
    }
    if (dx == 0) {
        if (x1 >= 0 && x1 < w && rasterdetail::cliprun(lo, hi, y1, y2 - rasterdetail::sign(dy), h))
            rasterdetail::vspan(v, x1, lo, hi, pixel);
        return;
    }

    // A line to the next row (every curve segment): by the rule below, its first (d + 1) / 2 pixels
    // lie on the first row and the rest on the second, which makes two runs.
    if (std::llabs(dy) == 1) {
        const int64_t d = std::llabs(dx);
        const int64_t sx = rasterdetail::sign(dx);
        const int64_t half = (d + 1) / 2;
        rasterdetail::hrun(v, y1, x1, x1 + (half - 1) * sx, pixel);
        if (half < d) rasterdetail::hrun(v, y2, x1 + half * sx, x1 + (d - 1) * sx, pixel);
        return;
    }

    rasterwalk(v, x1, y1, x2, y2, pixel);
}

// Surface::pset: one pixel, nothing outside the view.
inline void rasterpset(const RasterView& v, int x, int y, uint32_t pixel) {
    if (x < 0 || y < 0 || x >= v.width || y >= v.height) return;
    rasterdetail::row(v, y)[x] = pixel;
}

// Surface::fillrect: columns x ... x + w - 1, rows y ... y + h - 1, clipped to the view.
inline void rasterfillrect(const RasterView& v, int x, int y, int w, int h, uint32_t pixel) {
    int64_t xlo, xhi, ylo, yhi;
    if (w <= 0 || h <= 0) return;
    if (!rasterdetail::cliprun(xlo, xhi, x, int64_t{x} + w - 1, v.width) ||
        !rasterdetail::cliprun(ylo, yhi, y, int64_t{y} + h - 1, v.height))
        return;
    for (int64_t r = ylo; r <= yhi; ++r)
        rasterdetail::hspan(v, r, xlo, xhi, pixel);
}

} // namespace kelvora
