// The plot surface on a QImage: what the window shows and what the PNG export writes.
#pragma once

#include "plot/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

namespace kelvora {

// Family and pixel size of the plot's labels. The family comes with the fonts-dejavu-core package, so a
// freshly set-up machine draws the same labels as any other.
inline constexpr const char* plotfontfamily = "DejaVu Sans";
constexpr int plotfontpixels = 11;

// A 32-bit RGB image with the exact pixel rules of Surface: lines rasterised here (not by QPainter,
// whose lines follow other rules), horizontal and vertical runs written straight into the scanlines.
// Text is drawn by QPainter in black, without antialiasing, so every pixel has a plot colour or black.
// Needs a QGuiApplication (any platform, "offscreen" included) for the font.
class QImageSurface final : public Surface {
  public:
    QImageSurface(int width, int height);

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }

    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void pset(int x, int y, Colour c) override;

    double textwidth(const std::string& text) const override;
    double textheight(const std::string& text) const override;
    void print(int x, int y, const std::string& text) override;

    // Fills the whole image with one colour.
    void fill(Colour c);

    const QImage& image() const { return image_; }

  private:
    void hspan(int y, int x1, int x2, uint32_t pixel); // x1 <= x2, both included, already clipped in y
    void vspan(int x, int y1, int y2, uint32_t pixel); // y1 <= y2, both included, already clipped in x

    QImage image_;
    QFont font_;
    QFontMetricsF metrics_;
};

} // namespace kelvora
