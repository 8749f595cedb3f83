// The family and pixel size of the plot's labels, for every surface that draws them: the window's and
// the exports' through Qt, the web page's through the browser.
#pragma once

namespace kelvora {

// The family comes with the fonts-dejavu-core package, so a freshly set-up machine draws the same labels
// as any other.
inline constexpr const char* plotfontfamily = "DejaVu Sans";
constexpr int plotfontpixels = 11;

} // namespace kelvora
