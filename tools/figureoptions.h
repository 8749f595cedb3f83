// The options of the commands that draw a figure: the journal style and its page size, text size,
// density, colours and palette, the legend and the decimal separator.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/cliptable.h"
#include "plot/figurestyle.h"
#include "tools/exportoptions.h"
#include "tools/renderfigure.h"

namespace kelvora {

// Single-column width, text size and density journals commonly ask for.
constexpr double defaultwidthmm = 85.0;
constexpr double defaultfontpt = 8.0;
constexpr int defaultdpi = 300;
// What the options accept.
constexpr double smallestmm = 20.0;
constexpr double largestmm = 1000.0;
constexpr double smallestpt = 4.0;
constexpr double largestpt = 36.0;
constexpr int smallestdpi = 72;
constexpr int largestdpi = 2400;

struct FigureOptions {
    std::optional<bool> journal; // --style journal|window
    std::optional<double> widthmm;
    std::optional<double> heightmm;
    std::optional<double> fontpt;
    std::optional<int> dpi;
    std::optional<Colour> background;
    std::optional<Palette> palette;
    bool legend = false;
    SeparatorChoice decimal = SeparatorChoice::system;
};

// Offers args[i] to the figure options; as parsecommonoption.
OptionResult parsefigureoption(const std::vector<std::string>& args, std::size_t& i, FigureOptions& options,
                               std::string& message);

// Help lines of the figure options; dpi: the command writes pixels.
std::string figureoptionshelp(bool dpi);

// The style a format takes without --style: svg, pdf and tiff are figures for print; png stays the
// window's picture unless a legend asks for the figure (the picture has no room for one).
bool journalbydefault(FigureFormat format, const FigureOptions& options);

// Whether the figure takes the journal style: --style says so, or else bydefault, or else any option
// that only the journal style has. False, with message, when --style window meets such an option.
bool journalstyleof(const FigureOptions& options, bool bydefault, bool& journal, std::string& message);

// The style the options ask for.
FigureStyle figurestyle(const FigureOptions& options, bool journal);

// The decimal separator the options ask for (the system's without --decimal).
char figureseparator(const FigureOptions& options);

// The request the figure options make, in the journal style or the window's.
FigureRequest figurerequest(const FigureOptions& options, bool journal);

} // namespace kelvora
