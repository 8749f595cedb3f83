// Margins and axis lines, drawn over whatever the rows left outside the plot area.
#include "plot/frame.h"

namespace kelvora {

namespace {
constexpr int axiswidth = 2; // both axes are two logical pixels wide
} // namespace

void drawframe(const PlotState& ps, Surface& surface) {
    const DeviceGeometry d = devicegeometry(ps);
    const int axis = d.length(axiswidth);
    const int onepixel = d.length(1);

    // Below the plot area from the x axis row down, above it, left of it up to and including its first
    // column (the y axis stands there), and right of it.
    surface.fillrect(0, d.bottom, d.width, d.height - d.bottom, ps.backcolour);
    surface.fillrect(0, 0, d.width, d.top, ps.backcolour);
    surface.fillrect(0, 0, d.left + onepixel, d.height, ps.backcolour);
    surface.fillrect(d.right, 0, d.width - d.right, d.height, ps.backcolour);

    // Both axes meet at the bottom-left corner: the y axis on the plot area's first column and the one
    // before it, the x axis on the row below the last computed row and the one after it.
    const int axisleft = d.left + onepixel - axis;
    surface.fillrect(axisleft, d.top, axis, d.bottom + axis - d.top, ps.axiscolour);
    surface.fillrect(axisleft, d.bottom, d.right - axisleft, axis, ps.axiscolour);
}

} // namespace kelvora
