// A figure for print: the plot as the window shows it, the two axis titles around it and, if asked,
// a legend of the zones and curves below. Drawn on a vector surface; toolkit-free.
#pragma once

#include "model/parameters.h"
#include "plot/figurestyle.h"
#include "plot/plotstate.h"
#include "plot/vectorsurface.h"

#include <string>
#include <vector>

namespace kelvora {

// One line of the legend: a swatch of a zone colour, or a short piece of a curve in its colour on a
// swatch of the grey zone (so that the white and the black curve both show), and its text.
struct LegendEntry {
    Colour swatch;
    bool curve = false;
    Colour line; // the curve's colour
    std::string text;
    bool dashed = false; // a reference curve
};
std::vector<LegendEntry> legendentries(const PlotState& ps);

// Where everything stands, in device pixels of ps's surface, relative to the plot surface's top-left
// corner; whole numbers, so that the plot's pixel edges stay on whole pixels of the page.
struct FigureLayout {
    int width = 0; // the page
    int height = 0;
    int originx = 0; // the plot surface's top-left corner on the page
    int originy = 0;
    int ytitlex = 0; // top-left corner of the turned y title's box
    int ytitley = 0;
    int xtitlex = 0; // top-left corner of the x title's box
    int xtitley = 0;
    bool legend = false;
    int legendx = 0; // top-left corner of the legend
    int legendy = 0;
};

// The page around the plot surface: the y title turned to read upward, centred on the plot area's
// height, a small gap left of the leftmost y tick label; the x title centred under the plot area, a gap
// below the lowest x tick label; the legend under the x title, flush with the y title. The page holds
// the whole plot surface and grows by a margin wherever a title or the legend reaches beyond it.
// metrics measures the texts as the surface drawn on will.
// The tick labels are measured in the style's typography.
FigureLayout figurelayout(const ModelState& s, const PlotState& ps, const Surface& metrics, bool legend,
                          char decimalsep, const FigureStyle& style = windowstyle());

// Draws the figure: the page in the style's background, the zones and curves of vectorplot in the
// style's colours with the redraw's frame and labels, the titles and the legend (in the same colours)
// where layout puts them. The window's style keeps the window's colours and labels.
void drawfigure(const ModelState& s, const PlotState& ps, VectorSurface& surface, const FigureLayout& layout,
                char decimalsep, const FigureStyle& style = windowstyle());

} // namespace kelvora
