// The geometry, colours, pan offsets and mouse flags of the plot. The window owns one PlotState beside
// its ModelState; the plot code reads the geometry and colours and writes only what a redraw changes.
#pragma once

#include "model/parameters.h"
#include "plot/surface.h"

#include <cstdint>
#include <optional>

namespace kelvora {

// Margins around the plot area, in pixels: room for the y labels on the left, the x labels below.
constexpr int leftmargin = 60;
constexpr int bottommargin = 25;
constexpr int rightmargin = 30;
constexpr int topmargin = 10;

// Width of each curve, in logical pixels.
constexpr int curvewidth = 2;

// Half-length of the pinned marker's inner cross.
constexpr int defaultmarkersize = 5;

// The plot surface of the window at its design size.
constexpr int defaultsurfacewidth = 551;
constexpr int defaultsurfaceheight = 305;

// Surface sides are 16-bit pixel counts, in logical pixels and in device pixels alike.
constexpr int largestsurfaceside = 32767;

namespace plotcolours {
inline constexpr Colour ant{255, 255, 255};          // translocase curve
inline constexpr Colour atpase{0, 0, 0};             // synthase curve
inline constexpr Colour axis{0, 0, 150};             // axis lines and tick marks
inline constexpr Colour markeredge{0, 0, 0};         // outline of the pinned marker
inline constexpr Colour markercentre{255, 255, 255}; // inner cross of the pinned marker
// The margins take the window's background; this fixed light grey stands in for it wherever the
// plot is drawn, so that the window and an exported image are the same picture.
inline constexpr Colour background{240, 240, 240};

// Zones of a plot row.
inline constexpr Colour leftzone{191, 192, 0};     // left of both curves
inline constexpr Colour betweenzone{124, 2, 1};    // translocase left of synthase; rows not computed
inline constexpr Colour reversedzone{250, 131, 1}; // synthase left of (or on) the translocase
inline constexpr Colour rightzone{128, 128, 128};  // right of both curves
} // namespace plotcolours

struct PlotState {
    // Geometry in logical pixels, set once by initplotstate: what the mouse, the pan and zoom and the
    // clipboard table work in, whatever the density of the surface the plot is drawn on.
    int surfacewidth = 0;
    int surfaceheight = 0;
    int plotwidth = 0;  // W: surfacewidth - leftmargin - rightmargin
    int plotheight = 0; // N: surfaceheight - topmargin - bottommargin, the rows of the table
    // Device pixels per logical pixel of the surface drawn on: 1 for the window on an ordinary screen
    // and the default export, 2 on a HiDPI screen, K for an export at K times the density.
    double scale = 1.0;

    Colour antcolour = plotcolours::ant;
    Colour atpasecolour = plotcolours::atpase;
    Colour backcolour = plotcolours::background;
    Colour axiscolour = plotcolours::axis;
    Colour markeredge = plotcolours::markeredge;
    Colour markercentre = plotcolours::markercentre;
    int markersize = defaultmarkersize;

    // The pinned marker and the pixel of the last press.
    bool pinned = false;
    int pressx = 0;
    int pressy = 0;

    // Pan offsets: zero except between a press and its release; everything drawn moves with them.
    double xshift = 0.0;
    double yshift = 0.0;

    // Mouse flags.
    bool dragging = false;    // a button is held on the plot
    bool otherbutton = false; // the last press was not with the left button
    bool dblclicked = false;  // a double click happened; the release after it does not pin

    // Settings whose two curves are kept for comparison and drawn dashed over the plot.
    std::optional<ModelState> reference;
};

// Start-up setting of the plot: geometry from the surface size in logical pixels (each side clamped to
// 0 ... largestsurfaceside), the six colours with the given background, the marker size, the scale
// (a scale that is not a usable number counts as 1); the pan offsets and every mouse flag cleared.
void initplotstate(PlotState& ps, int width, int height, Colour background = plotcolours::background,
                   double scale = 1.0);

// The surface side in device pixels for a side of logical pixels: enough device pixels to cover it.
int devicepixels(int logical, double scale);

// The plot's geometry in the device pixels of the surface it is drawn on. The picture is the same
// figure at every scale: margins, axes, tick marks and the marker are the logical ones scaled, while
// the rows, the curves and the text use every device pixel (a scale of 2 computes twice the rows). At
// scale 1 it is the logical geometry itself.
struct DeviceGeometry {
    double scale = 1.0;
    int width = 0; // surface
    int height = 0;
    int left = 0;      // first column of the plot area, where the y axis stands
    int top = 0;       // first row of the plot area
    int right = 0;     // first column right of the plot area
    int bottom = 0;    // row of the x axis, just below the last computed row
    int plotwidth = 0; // W
    int rows = 0;      // N: the rows computed per redraw

    // A logical position in device pixels (exact for a whole scale).
    int at(double logical) const;
    // A logical length (a line width, a tick mark, a gap) in whole device pixels, at least one.
    int length(double logical) const;
};
DeviceGeometry devicegeometry(const PlotState& ps);

} // namespace kelvora
