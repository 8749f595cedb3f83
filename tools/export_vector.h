// kelvora-export svg, pdf and tiff, and the figures png draws on request: the window's plot as a figure
// with its axis titles and, on request, a legend, in the window's look or ready for a journal, without
// any display.
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>
#include <vector>

#include "model/parameters.h"
#include "plot/figurestyle.h"
#include "tools/figureoptions.h"

namespace kelvora {

enum class FigureFormat { svg, pdf, png, tiff };

void svghelp();
void pdfhelp();
void tiffhelp();

// args are the arguments after "svg", "pdf" or "tiff". Return the exit status.
int runsvg(const std::vector<std::string>& args);
int runpdf(const std::vector<std::string>& args);
int runtiff(const std::vector<std::string>& args);

// What a figure looks like and how large it is. Without journal sizes a logical pixel of the plot is
// 1/96 inch and the text the window's; with them the page is widthmm wide (heightmm high, or by the
// plot's aspect when 0), the text fontpt points there, and pictures dpi pixels an inch.
struct FigureRequest {
    FigureStyle style;
    bool journalsizes = false;
    double widthmm = 0.0;
    double heightmm = 0.0;
    double fontpt = 0.0;
    int dpi = 0;
    bool legend = false;
    char decimalsep = '.';
};

// The request the figure options make, in the journal style or the window's.
FigureRequest figurerequest(const FigureOptions& options, bool journal);

// The figure's file contents for a state as start-up builds it, the plot surface width x height
// logical pixels (the height changes to give heightmm). automatic: the limits as after switching the
// automatic toggle on. The file carries the settings of the state drawn. Empty when the figure cannot
// be drawn. Needs a QGuiApplication.
// A picture file in format ("PNG", "TIFF") carrying the settings. Empty when it cannot be written.
QByteArray picturefile(QImage image, const char* format, const std::string& settings);

QByteArray renderfigure(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                        const FigureRequest& request);

} // namespace kelvora
