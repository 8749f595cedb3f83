// The figures of a state as file contents: the window's picture of the plot, and the plot with its axis
// titles and, on request, a legend, in the window's look or ready for a journal, as SVG, PDF, PNG or
// TIFF. kelvora-export and the window's "Export figure" draw through the same code.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <string>

#include "model/parameters.h"
#include "plot/figurestyle.h"

namespace kelvora {

enum class FigureFormat { svg, pdf, png, tiff };

// What a figure looks like and how large it is. Without journal sizes a logical pixel of the plot is
// 1/96 inch and the text the window's; with them the page is widthmm wide (heightmm high, or by the
// plot's aspect when 0), the text fontpt points there, and pictures dpi pixels an inch. reference: the
// curves kept for comparison, drawn dashed (and named in the legend).
struct FigureRequest {
    FigureStyle style;
    bool journalsizes = false;
    double widthmm = 0.0;
    double heightmm = 0.0;
    double fontpt = 0.0;
    int dpi = 0;
    bool legend = false;
    char decimalsep = '.';
    int scale = 1; // the window's picture only: device pixels per logical pixel
    std::optional<ModelState> reference;
};

// A picture file in format ("PNG", "TIFF") carrying the settings. Empty when it cannot be written.
QByteArray picturefile(QImage image, const char* format, const std::string& settings);

// The picture of the window's plot surface (width x height logical pixels, drawn at scale device pixels
// each) for a state as start-up builds it. automatic: as after switching the automatic toggle on (the
// redraw fits the limits), otherwise as the start-up redraw leaves it. decimalsep is the tick labels'
// separator. drawn, if given, receives the state drawn (the limits as fitted). Needs a QGuiApplication.
QImage renderplot(const ModelState& state, int width, int height, bool automatic, char decimalsep,
                  int scale = 1, ModelState* drawn = nullptr,
                  const std::optional<ModelState>& reference = {});

// Why the journal figure of these arguments cannot be drawn, or an empty text: its text must leave
// room for the plot on the page asked for, and a picture's sides in pixels may not pass
// largestsurfaceside (a larger picture would not even fit in memory).
std::string figureproblem(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                          const FigureRequest& request);

// The figure's file contents for a state as start-up builds it, the plot surface width x height
// logical pixels (the height changes to give heightmm). automatic: the limits as after switching the
// automatic toggle on. The file carries the settings of the state drawn. Empty when the figure cannot
// be drawn. Needs a QGuiApplication.
QByteArray renderfigure(FigureFormat format, const ModelState& state, int width, int height, bool automatic,
                        const FigureRequest& request);

} // namespace kelvora
