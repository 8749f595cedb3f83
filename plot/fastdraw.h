// The whole redraw of the plot: rows, curves, frame, marker and ticks.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"
#include "plot/surface.h"

#include <cstdint>
#include <string>

namespace kelvora {

// What a redraw hands back to the window.
struct FastdrawResult {
    // The visible limits for the four axis boxes, siground(v, 5) as short text. The window writes them
    // with settingboxes set, so that the boxes' change handlers ignore the program's own writing.
    std::string tbymin, tbymax, tbxmin, tbxmax;
    // autoscale ran (the automatic toggle, or the re-fit of a curve that never came into view): the
    // mouse readout boxes Text1 and Text2 must be disabled and emptied. pinned is already cleared.
    bool clearreadout = false;
};

// Redraws the whole plot for the current state: the toolkit-free body of the window's fastdraw.
// autoflag: the limits may be fitted automatically. With autotoggle (the automatic toggle is checked)
// autoscale runs first; and whatever the toggle, if a curve never came into view the limits are fitted
// once and the rows drawn again. Without autoflag the limits stay as they are.
// decimalsep is the separator of the tick labels and the axis box texts.
FastdrawResult drawplot(bool autoflag, bool autotoggle, ModelState& s, PlotState& ps, Surface& surface,
                        char decimalsep);

// The rows of the plot area with their colour zones and the two curves, for the current limits.
// Returns whether each curve crossed the visible plot area (ant first, atpase second).
struct CurveVisibility {
    bool ant = false;
    bool atpase = false;
};
CurveVisibility drawrows(const ModelState& s, const PlotState& ps, Surface& surface);

// Paints the margins in the background colour and draws both axis lines.
void drawframe(const PlotState& ps, Surface& surface);

// The pinned marker at pixel (x, y): a white cross with arms of markersize pixels, outlined in black.
void drawmarker(const PlotState& ps, Surface& surface, int16_t x, int16_t y);

// Tick marks and labels of both axes for the visible ranges (y axis first). An axis whose range is not
// positive and finite gets no ticks.
void drawticks(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep);

} // namespace kelvora
