// The plot surface on a QImage: what the window shows and what the PNG export writes.
#pragma once

#include "plot/plotfont.h"
#include "plot/raster.h"
#include "plot/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace kelvora {

// The label font in the plot's family and size, at scale device pixels a logical pixel.
QFont plotfont(double scale);

// A 32-bit RGB image with the exact pixel rules of Surface: lines, pixels and rectangles written straight
// into the scanlines by the rules the raster surfaces share (not by QPainter, whose lines follow others).
// Text is drawn by QPainter in black, without antialiasing, so every pixel has a plot colour or black.
// The plot prints the same few labels on every redraw, so each text is rendered once and its pixels
// kept; printing it again copies them, which gives the very same pixels as drawing it again.
// The labels are set at scale times the plot's font size, for a plot drawn at scale device pixels per
// logical pixel. Needs a QGuiApplication (any platform, "offscreen" included) for the font.
class QImageSurface final : public Surface {
  public:
    QImageSurface(int width, int height, double scale = 1.0);

    int width() const override { return w_; }
    int height() const override { return h_; }

    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void pset(int x, int y, Colour c) override;
    void fillrect(int x, int y, int w, int h, Colour c) override;

    double textwidth(const std::string& text) const override;
    double textheight(const std::string& text) const override;
    void print(int x, int y, const std::string& text) override;

    // The label font.
    const QFont& font() const { return font_; }

    // Fills the whole image with one colour.
    void fill(Colour c);

    // The picture drawn so far. The copy shares the pixels until the surface draws again; drawing
    // then leaves the copy as it was.
    QImage image() const {
        handedout_ = true;
        return image_;
    }

  private:
    // The pixels of one rendered text, relative to the top-left corner of its box.
    struct TextPixel {
        int16_t dx;
        int16_t dy;
        uint32_t pixel;
    };
    const std::vector<TextPixel>& rendered(const std::string& text);

    // The pixels, ready to be written: the image not shared with a copy.
    uchar* writable();
    // The pixels as the shared pixel rules take them, ready to be written.
    RasterView raster();

    mutable QImage image_;
    // The pixels are only reached through image(); until it hands out a copy, the address of the
    // unshared pixels stays valid and writing needs no check.
    mutable bool handedout_ = true;
    uchar* bits_ = nullptr;
    QFont font_;
    QFontMetricsF metrics_;
    double textheight_;
    int w_;
    int h_;
    qsizetype stride_;
    mutable std::unordered_map<std::string, double> widths_;
    std::unordered_map<std::string, std::vector<TextPixel>> texts_;
};

} // namespace kelvora
