// A drawing surface that also takes shapes with fractional coordinates: what a scalable figure needs
// beyond the whole-pixel primitives of Surface. The whole-pixel primitives keep their meaning, with a
// pixel read as the unit square it covers, so the frame and the ticks draw the same on either kind.
#pragma once

#include "plot/surface.h"

#include <string>
#include <vector>

namespace kelvora {

// A point in surface units (logical pixels), x to the right, y downward.
struct Point {
    double x = 0.0;
    double y = 0.0;

    constexpr bool operator==(const Point&) const = default;
};

// polygon fills the area the points enclose, without an outline; the polygons of the plot never cross
// themselves.
// polyline strokes the path through the points with a line of the given width, ends cut square at
// the end points and corners joined round.
// printupward draws a text turned a quarter turn anticlockwise, so that it reads upward, with the
// top-left corner of its turned box (textheight wide, textwidth high) at (x, y).
// setorigin moves everything drawn afterwards by (x, y); measures do not change.
class VectorSurface : public Surface {
  public:
    virtual void polygon(const std::vector<Point>& points, Colour c) = 0;
    virtual void polyline(const std::vector<Point>& points, double width, Colour c) = 0;
    virtual void printupward(double x, double y, const std::string& text) = 0;
    virtual void setorigin(double x, double y) = 0;
};

} // namespace kelvora
