// kelvora-export svg, pdf and tiff, and the figures png draws on request: the window's plot as a figure
// with its axis titles and, on request, a legend, in the window's look or ready for a journal, without
// any display.
#pragma once

#include <string>
#include <vector>

#include "tools/figureoptions.h"
#include "tools/renderfigure.h"

namespace kelvora {

void svghelp();
void pdfhelp();
void tiffhelp();

// args are the arguments after "svg", "pdf" or "tiff". Return the exit status.
int runsvg(const std::vector<std::string>& args);
int runpdf(const std::vector<std::string>& args);
int runtiff(const std::vector<std::string>& args);

} // namespace kelvora
