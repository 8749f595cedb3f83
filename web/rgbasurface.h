// The plot surface of the web page: pixels in RGBA byte order, as a canvas takes them, drawn with the
// pixel rules the window's surface shares with it. Text is left to the browser: the surface measures through
// a callback and keeps the texts it is asked to print, with their places, for the page to draw.
#pragma once

#include "plot/plotfont.h"
#include "plot/raster.h"
#include "plot/surface.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelvora {

// The labels' font as a CSS font family: the window's family, with the browser's sans-serif where the
// page's machine lacks it.
inline const std::string labelfamily = std::string("'") + plotfontfamily + "', sans-serif";

struct PrintedText {
    int x = 0;
    int y = 0;
    std::string text;
};

// Width and height of a text in the label font, in device pixels.
using TextMeasure = std::function<double(const std::string& text, bool height)>;

class RgbaSurface final : public Surface {
  public:
    RgbaSurface(int width, int height, TextMeasure measure);
    int width() const override { return w_; }
    int height() const override { return h_; }
    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void pset(int x, int y, Colour c) override;
    void fillrect(int x, int y, int w, int h, Colour c) override;
    double textwidth(const std::string& text) const override { return measure_(text, false); }
    double textheight(const std::string& text) const override { return measure_(text, true); }
    void print(int x, int y, const std::string& text) override { texts_.push_back({x, y, text}); }

    // Forgets the texts of the last drawing.
    void cleartexts() { texts_.clear(); }
    const std::vector<uint32_t>& pixels() const { return pixels_; }
    const std::vector<PrintedText>& texts() const { return texts_; }

  private:
    RasterView raster();

    int w_;
    int h_;
    TextMeasure measure_;
    std::vector<uint32_t> pixels_; // one pixel a word: R in the lowest byte, then G, B and A
    std::vector<PrintedText> texts_;
};

} // namespace kelvora
