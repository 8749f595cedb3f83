// Margins and axis lines, drawn over whatever the rows left outside the plot area.
#include "plot/fastdraw.h"

namespace kelvora {

void drawframe(const PlotState& ps, Surface& surface) {
    const int width = ps.surfacewidth;
    const int height = ps.surfaceheight;
    const int b = height - bottommargin; // row of the x axis: topmargin + N
    const int r = width - rightmargin;   // first column right of the plot area

    for (int y = topmargin + ps.plotheight; y <= height; ++y)
        surface.line(0, y, width, y, ps.backcolour);
    for (int y = 0; y <= topmargin - 1; ++y)
        surface.line(0, y, width, y, ps.backcolour);
    // The first column of the plot area is painted over too: the y axis stands there.
    for (int x = 0; x <= leftmargin; ++x)
        surface.line(x, 0, x, height - 1, ps.backcolour);
    for (int x = r; x <= width; ++x)
        surface.line(x, 0, x, height - 1, ps.backcolour);

    // Both axes two pixels wide, meeting at the bottom-left corner.
    surface.line(leftmargin, topmargin, leftmargin, b + 1, ps.axiscolour);
    surface.line(leftmargin - 1, topmargin, leftmargin - 1, b + 1, ps.axiscolour);
    surface.line(leftmargin - 1, b, r, b, ps.axiscolour);
    surface.line(leftmargin - 1, b + 1, r, b + 1, ps.axiscolour);
}

} // namespace kelvora
