// The plot area as shapes rather than pixel rows: the colour zones as a few filled polygons whose edges
// follow the two curves, and the curves as lines, for figures that are scaled and zoomed freely.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"
#include "plot/vectorsurface.h"

#include <vector>

namespace kelvora {

// Rows are sampled at least this often; where a curve moves sideways by more than about one pixel
// between two samples, more samples are taken between them.
constexpr int zonesamplesperrow = 4;

struct FilledShape {
    Colour colour;
    std::vector<Point> points;
};

struct Stroke {
    Colour colour;
    double width = 1.0;
    std::vector<Point> points;
};

// What the rows of drawrows paint, as shapes in device pixels of ps's surface, clipped to the plot
// area, to be drawn in order:
// - a rectangle over the whole plot area in the colour of rows that are not computed (y not positive,
//   or potentials that cannot be computed), which those rows keep;
// - for every stretch of computed rows, layered so that neighbouring zones never leave a gap between
//   them: the grey zone over the whole stretch, then from the left edge to the right-hand curve the
//   between-curves colour (dark red where the translocase lies left of the synthase, orange where it
//   does not), then from the left edge to the left-hand curve the zone left of both curves.
// Strokes: each curve as wide as drawrows draws it, starting at the zone edge it follows, and, where
// drawrows runs the curves out along the bottom row, those lines.
struct VectorPlot {
    std::vector<FilledShape> shapes;
    std::vector<Stroke> strokes;
};
VectorPlot vectorplot(const ModelState& s, const PlotState& ps);

} // namespace kelvora
