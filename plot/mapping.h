// Mapping between plot values and surface pixels.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"

#include <cstdint>

namespace kelvora {

// A potential this many pixels or more beyond either side of the plot area is drawn at that distance.
constexpr double columnclamp = 2000.0;

// The y value of plot row i (0 at the top, plotheight - 1 at the bottom), which lies at pixel row
// topmargin + i: (ymax - ymin) * (N - i) / N + ymin + yshift. The plot and the clipboard table share it.
double rowvalue(const ModelState& s, const PlotState& ps, int i);

// Horizontal position of a potential E (mV) inside the plot area, in pixels from its left edge:
// (E + xshift - xmin) / (xmax - xmin) * W, clamped to -2000 ... 2000. NaN stays NaN.
double valueoffset(const ModelState& s, const PlotState& ps, double e);

// The pixel column of an offset from valueoffset: leftmargin + floor(p); NaN gives leftmargin.
int16_t offsetcolumn(double p);

// The plot value under a surface pixel position (the mouse), ignoring the pan offsets:
// x = (X - leftmargin) / W * (xmax - xmin) + xmin; y = ((topmargin + N) - Y) / N * (ymax - ymin) + ymin.
double pixeltox(const ModelState& s, const PlotState& ps, double X);
double pixeltoy(const ModelState& s, const PlotState& ps, double Y);

} // namespace kelvora
