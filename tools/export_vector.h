// kelvora-export svg and pdf: the window's plot as a scalable figure with its axis titles and, on
// request, a legend, without any display.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

#include "model/parameters.h"

namespace kelvora {

enum class FigureFormat { svg, pdf };

void svghelp();
void pdfhelp();

// args are the arguments after "svg" or "pdf". Return the exit status.
int runsvg(const std::vector<std::string>& args);
int runpdf(const std::vector<std::string>& args);

// The figure's file contents for a state as start-up builds it, the plot surface width x height
// logical pixels. automatic: the limits as after switching the automatic toggle on. Empty when the
// figure cannot be drawn. Needs a QGuiApplication.
QByteArray renderfigure(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                        char decimalsep, bool legend);

} // namespace kelvora
