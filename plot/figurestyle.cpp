#include "plot/figurestyle.h"

#include <cctype>
#include <string>

namespace kelvora {
namespace {

constexpr Colour white{255, 255, 255};
constexpr Colour black{0, 0, 0};

// Okabe-Ito colours.
constexpr Colour safeyellow{240, 228, 66};
constexpr Colour safeblue{0, 114, 178};
constexpr Colour safevermillion{213, 94, 0};
constexpr Colour safeskyblue{86, 180, 233};

// Weights of the red, green and blue parts in a colour's grey (ITU-R BT.601).
constexpr double redweight = 0.299;
constexpr double greenweight = 0.587;
constexpr double blueweight = 0.114;
constexpr double midgrey = 127.5;

constexpr std::size_t hexcolourlength = 7; // "#rrggbb"
constexpr int hexbase = 16;

} // namespace

ZoneColours zonecolours(Palette palette) {
    if (palette == Palette::safe) return {safeyellow, safeblue, safevermillion, safeskyblue};
    return {plotcolours::leftzone, plotcolours::betweenzone, plotcolours::reversedzone,
            plotcolours::rightzone};
}

std::optional<Palette> parsepalette(std::string_view name) {
    if (name == "default") return Palette::window;
    if (name == "safe") return Palette::safe;
    return std::nullopt;
}

FigureStyle windowstyle() {
    return FigureStyle{};
}

FigureStyle journalstyle(Palette palette, Colour background) {
    FigureStyle style;
    style.background = background;
    // Axes and text read on the page: black on a light one, white on a dark one.
    style.axis = outlinecolour(background);
    style.text = style.axis;
    style.zones = zonecolours(palette);
    style.outlinedcurves = true;
    style.wraplegend = true;
    style.ticks.realminus = true;
    style.ticks.xunit = false;
    style.ticks.onetext = true;
    style.ticks.leftbounded = false;
    style.ticks.xbounded = false;
    style.ticks.largeexponent = true;
    return style;
}

Colour stylezone(const FigureStyle& style, Colour c) {
    const ZoneColours window = zonecolours(Palette::window);
    if (c == window.left) return style.zones.left;
    if (c == window.between) return style.zones.between;
    if (c == window.reversed) return style.zones.reversed;
    if (c == window.right) return style.zones.right;
    return c;
}

Colour outlinecolour(Colour curve) {
    const double grey = redweight * curve.r + greenweight * curve.g + blueweight * curve.b;
    return grey > midgrey ? black : white;
}

void applystyle(PlotState& ps, const FigureStyle& style) {
    ps.backcolour = style.background;
    ps.axiscolour = style.axis;
}

std::optional<Colour> parsecolour(std::string_view text) {
    if (text == "white") return white;
    if (text == "black") return black;
    if (text.size() != hexcolourlength || text[0] != '#') return std::nullopt;
    uint8_t parts[3] = {};
    for (int k = 0; k < 3; ++k) {
        const std::string pair(text.substr(1 + 2 * k, 2));
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) ||
            !std::isxdigit(static_cast<unsigned char>(pair[1])))
            return std::nullopt;
        parts[k] = static_cast<uint8_t>(std::stoi(pair, nullptr, hexbase));
    }
    return Colour{parts[0], parts[1], parts[2]};
}

} // namespace kelvora
