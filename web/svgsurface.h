// The plot as an SVG document, for the page's download: the shapes of the vector plot, the frame and
// the ticks, and the labels as text elements.
#pragma once

#include "plot/vectorsurface.h"
#include "web/rgbasurface.h"
#include <string>

namespace kelvora {

class SvgSurface final : public VectorSurface {
  public:
    SvgSurface(int width, int height, TextMeasure measure);
    int width() const override { return w_; }
    int height() const override { return h_; }
    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void pset(int x, int y, Colour c) override { fillrect(x, y, 1, 1, c); }
    void fillrect(int x, int y, int w, int h, Colour c) override;
    double textwidth(const std::string& text) const override { return measure_(text, false); }
    double textheight(const std::string& text) const override { return measure_(text, true); }
    void print(int x, int y, const std::string& text) override;
    void polygon(const std::vector<Point>& points, Colour c) override;
    void polyline(const std::vector<Point>& points, double width, Colour c) override;
    void printupward(double x, double y, const std::string& text) override;
    void setorigin(double x, double y) override;

    // The whole document.
    std::string document() const { return body_ + "</svg>\n"; }

  private:
    int w_;
    int h_;
    TextMeasure measure_;
    double ox_ = 0.0;
    double oy_ = 0.0;
    std::string body_;
};

} // namespace kelvora
