// The plot surface on any QPainter device: an SVG generator, a PDF writer, an image. Shapes stay shapes
// and text stays text, so the device keeps them scalable.
#pragma once

#include "plot/vectorsurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTransform>

class QPainter;

namespace kelvora {

// Draws through painter with one unit of the painter's coordinates to a device pixel of the plot. A
// whole-pixel primitive fills the unit squares of its pixels; text is set in the plot's label family at
// scale times its size, in black or the colour set, placed by the same measures the surface reports. The
// painter's transform when the surface is made stays under everything drawn (a figure scaled to its page) and
// setorigin moves within it. Without a painter
// the surface only measures, to lay a figure out before its page exists. Needs a QGuiApplication.
class QPainterSurface final : public VectorSurface {
  public:
    QPainterSurface(QPainter* painter, int width, int height, double scale = 1.0);

    int width() const override { return w_; }
    int height() const override { return h_; }

    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void pset(int x, int y, Colour c) override;
    void fillrect(int x, int y, int w, int h, Colour c) override;

    double textwidth(const std::string& text) const override;
    double textheight(const std::string& text) const override;
    void print(int x, int y, const std::string& text) override;

    void polygon(const std::vector<Point>& points, Colour c) override;
    void polyline(const std::vector<Point>& points, double width, Colour c) override;
    void printupward(double x, double y, const std::string& text) override;
    void setorigin(double x, double y) override;

    const QFont& font() const { return font_; }
    // The colour of the text printed from now on (black until set).
    void settextcolour(Colour c) { textcolour_ = c; }

  private:
    void text(double x, double y, const std::string& text);

    QPainter* painter_;
    QFont font_;
    QFontMetricsF metrics_;
    int w_;
    int h_;
    Colour textcolour_{0, 0, 0};
    QTransform base_;
};

} // namespace kelvora
