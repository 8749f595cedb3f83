// Mapping between plot values and surface pixels.
#pragma once

#include "model/parameters.h"
#include "plot/plotstate.h"

namespace kelvora {

// A potential this many logical pixels or more beyond either side of the plot area is drawn at that
// distance.
constexpr double columnclamp = 2000.0;

// The y value of plot row i of n rows (or of a position between rows), which lies at pixel row top + i:
// the model's row value displaced by the pan offset yshift.
double rowvalue(const ModelState& s, const PlotState& ps, int n, double i);

// Horizontal position of a potential E (mV) inside the plot area, in device pixels from its left edge:
// (E + xshift - xmin) / (xmax - xmin) * W, clamped to columnclamp logical pixels either side. NaN stays
// NaN.
double valueoffset(const ModelState& s, const PlotState& ps, const DeviceGeometry& d, double e);

// The device pixel column of an offset from valueoffset: left + floor(p); NaN gives left.
int offsetcolumn(const DeviceGeometry& d, double p);

// The plot value under a surface position in logical pixels (the mouse), ignoring the pan offsets:
// x = (X - leftmargin) / W * (xmax - xmin) + xmin; y = ((topmargin + N) - Y) / N * (ymax - ymin) + ymin.
double pixeltox(const ModelState& s, const PlotState& ps, double X);
double pixeltoy(const ModelState& s, const PlotState& ps, double Y);

} // namespace kelvora
