// How a figure for print looks beside the window's plot: the page colour, the zone palette, curves
// outlined so that they read on any background and in greyscale, and the typography of the labels.
#pragma once

#include "plot/plotstate.h"
#include "plot/ticks.h"

#include <optional>
#include <string_view>

namespace kelvora {

// The zone colours: the window's, or a set told apart under the common colour-vision deficiencies and
// in greyscale (from the Okabe-Ito palette: yellow, blue, vermillion, sky blue; lightness falls from
// the left zone to the zone between the curves, so that neighbouring zones differ in grey as well).
enum class Palette { window, safe };
struct ZoneColours {
    Colour left;
    Colour between; // also the rows that are not computed
    Colour reversed;
    Colour right;
};
ZoneColours zonecolours(Palette palette);

// "default" (the window's) or "safe".
std::optional<Palette> parsepalette(std::string_view name);

struct FigureStyle {
    Colour background = plotcolours::background; // the page and the plot's margins
    Colour axis = plotcolours::axis;             // axis lines and tick marks
    Colour text{0, 0, 0};                        // labels, titles and the legend
    ZoneColours zones = zonecolours(Palette::window);
    // Each curve drawn over a wider line of the opposite grey (black under the white translocase,
    // white under the black synthase), so that both read on the page, on every zone and in greyscale.
    bool outlinedcurves = false;
    // The legend's lines wrapped to the plot area's width, so that the legend never widens the page.
    bool wraplegend = false;
    TickStyle ticks;
};

// The window's look: the vector figure matches the window's plot.
FigureStyle windowstyle();
// The look a journal takes: a white page (or background), black axes and text (white on a dark page), the
// palette's zones, outlined curves, a real minus sign, the unit only in the axis title, each label one text
// and large numbers in exponent notation as small ones.
FigureStyle journalstyle(Palette palette, Colour background);

// The zone colour of the style for a window zone colour; any other colour as it is.
Colour stylezone(const FigureStyle& style, Colour windowcolour);

// The outline drawn under a curve of that colour: black under a light curve, white under a dark one.
Colour outlinecolour(Colour curve);

// The plot state's page and axis colours set to the style's.
void applystyle(PlotState& ps, const FigureStyle& style);

// "#rrggbb", "white" or "black"; nothing for anything else.
std::optional<Colour> parsecolour(std::string_view text);

} // namespace kelvora
