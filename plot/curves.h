// The plot area drawn row by row: colour zones and the two curves, the pinned marker, and the whole
// picture of a state at its limits. Drawing reads the state and changes nothing in it.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"
#include "plot/surface.h"

namespace kelvora {

// Whether each curve crossed the visible plot area (ant first, atpase second).
struct CurveVisibility {
    bool ant = false;
    bool atpase = false;
};

// The rows of the plot area with their colour zones and the two curves, for the current limits.
CurveVisibility drawrows(const ModelState& s, const PlotState& ps, Surface& surface);

// The pinned marker at pixel (x, y): a white cross with arms of markersize pixels, outlined in black.
void drawmarker(const PlotState& ps, Surface& surface, int x, int y);

// The whole plot for the state at its limits: rows, frame, the marker when pinned, ticks. decimalsep is
// the separator of the tick labels.
CurveVisibility drawplot(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep);

} // namespace kelvora
