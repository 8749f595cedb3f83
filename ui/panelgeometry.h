// Where the parameter panel's columns stand for a given y-axis quantity. Pure geometry in twips and in
// single precision, so that it can be checked without a window; the window applies it to its controls.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "model/parameters.h"

namespace kelvora {

// The six control arrays of a panel column, in the order in which their elements are placed.
enum PanelArray : int {
    SliderArray,
    tbMaxArray,
    tbMinArray,
    tbValueArray,
    lbNameArray,
    lbUnitArray,
    panelarrays
};

constexpr float columnpitch = 840.0f; // twips between neighbouring columns before scaling
constexpr float extragap = 240.0f;    // extra twips in place of the hidden column
constexpr float narrowfactor = 0.87f; // scale of the outer columns
constexpr float widefactor = 0.96f;   // scale of the middle columns, and of all columns for the ratio

struct PanelColumn {
    std::array<float, panelarrays> left{}; // left edges in twips, as the toolkit stores them
    bool visible = false;
};

struct PanelPlacement {
    std::array<PanelColumn, lastindex + 1> columns{};
};

// How the toolkit stores a left edge given in twips: it keeps whole pixels, so the position read back is
// the nearest pixel in twips. Each column is placed from the previous column as read back.
using StoredTwips = std::function<float(float)>;
float pixelgrid(float twips);

// Columns 0 to lastindex for y-axis index yaxis (-1 the ratio, 0..19 a parameter). designleft holds the
// design-time left of element 0 of each array; column 0 keeps it.
PanelPlacement panelgeometry(int16_t yaxis, const std::array<float, panelarrays>& designleft,
                             const StoredTwips& stored = pixelgrid);

} // namespace kelvora
