// Axis limits and the mouse on the plot: pan, zoom, the position readout and the pinned marker, as
// toolkit-free steps over the window's state. The window's handlers call these in order and do the
// toolkit's part themselves (pointer shape, enabling boxes, redrawing).
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"

#include <string>

namespace kelvora {

// The button of a press on the plot: the left one zooms in on a double click, any other zooms out.
enum class MouseButton { left, right, middle };

// A double click zooms by the square root of two, but not below or above these spans on either axis.
constexpr double smallestzoomspan = 1e-6;
constexpr double largestzoomspan = 1e6;

// Whether four typed limits may be set: x minimum below x maximum, 0 <= y minimum < y maximum, and
// both spans finite (beyond that every pan or zoom would overflow).
bool limitsvalid(double xmin, double xmax, double ymin, double ymax);

// Whether a surface position lies inside the current limits (ends included).
bool insidelimits(const ModelState& s, const PlotState& ps, double X, double Y);

// The readout of a surface position: x followed by " mV", and y, each at four significant digits or
// as many more as tell neighbouring pixels apart.
struct Readout {
    std::string x;
    std::string y;
};
Readout readoutat(const ModelState& s, const PlotState& ps, double X, double Y, char decimalsep);

// A press on the plot: remembers the button and the pixel, starts a drag with no offset.
void mousepress(PlotState& ps, MouseButton button, double X, double Y);

// The pan offsets of a drag from the press to (X, Y): the drawing follows the mouse, and the lower
// y limit never goes below 0. A pan that would overflow the limits far out does not move the drawing.
void dragoffsets(const ModelState& s, PlotState& ps, double X, double Y);

// A release: folds the drag into the limits, then pins or unpins the marker. A click that did not move
// toggles the pin; a drag, a double click or a release outside the limits leaves it unpinned.
struct Release {
    bool inside = false;  // false: the readout is disabled and emptied
    Readout readout;      // with inside: the texts of the readout
    bool enabled = false; // with inside: the readout boxes are enabled (pinned) or disabled
};
Release mouserelease(ModelState& s, PlotState& ps, double X, double Y, char decimalsep);

// A double click zooms around the pressed point: in with the left button, out with another. Returns
// whether the limits changed (and the plot must be redrawn); the pin is released in any case.
bool mousedoubleclick(ModelState& s, PlotState& ps);

} // namespace kelvora
