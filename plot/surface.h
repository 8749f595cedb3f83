// The drawing surface the plot is painted on: whole pixels, origin at the top-left corner, x to the right,
// y downward. The plot code draws only through this interface, so it runs and is tested without a window.
#pragma once

#include <cstdint>
#include <string>

namespace kelvora {

// An RGB colour, components 0 to 255.
struct Colour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    constexpr bool operator==(const Colour&) const = default;
    // 0xffRRGGBB, the layout of a 32-bit RGB image pixel.
    constexpr uint32_t argb() const { return 0xff000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b; }
};

// Every implementation follows the same pixel rules, so that the plot looks the same wherever it is drawn:
//
// line(x1, y1, x2, y2, c) sets the pixels of a one-pixel-wide line from (x1, y1) towards (x2, y2); the first
// point is set, the last one is not (a line from a point to itself sets nothing). With dx = x2 - x1,
// dy = y2 - y1 and D = max(|dx|, |dy|), the pixels are, for k = 0 ... D - 1, the Bresenham points
//     major coordinate: start + k * sign(major delta)
//     minor coordinate: start + sign(minor delta) * floor((2 * k * |minor delta| + D) / (2 * D))
// where the major axis is x when |dx| >= |dy| and y otherwise. The minor coordinate is rounded to the
// nearest whole pixel, an exact half away from the first point. Pixels outside the surface are skipped;
// no antialiasing, no blending: every set pixel takes exactly the colour given.
//
// pset(x, y, c) sets one pixel (nothing when outside the surface).
//
// fillrect(x, y, w, h, c) sets the pixels of columns x ... x + w - 1 and rows y ... y + h - 1 (nothing
// when w or h is not positive; the part outside the surface is skipped): margins, axes, tick marks.
//
// textwidth and textheight measure a text in the surface's font, in pixels, unrounded; callers round
// them half to even where whole pixels are needed. print(x, y, text) draws a text (UTF-8) in the
// surface's text colour with the top-left corner of its measured box at (x, y).
class Surface {
  public:
    virtual ~Surface() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void line(int x1, int y1, int x2, int y2, Colour c) = 0;
    virtual void pset(int x, int y, Colour c) = 0;
    virtual void fillrect(int x, int y, int w, int h, Colour c) = 0;

    virtual double textwidth(const std::string& text) const = 0;
    virtual double textheight(const std::string& text) const = 0;
    virtual void print(int x, int y, const std::string& text) = 0;
};

} // namespace kelvora
