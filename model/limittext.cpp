#include "model/limittext.h"

#include "model/numtext.h"
#include "model/parsenumber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelvora {
namespace {

// shorttext writes up to 15 significant digits; 17 tell any two doubles apart.
constexpr int shortdigits = 15;
constexpr int doubledigits = 17;
// The readout's usual count of significant digits.
constexpr int readoutusual = 4;

// x with digits significant digits, as printf's %G writes it (exponent only where it must), with the
// separator sep whatever the C library's locale uses.
std::string printed(double x, int digits, char sep) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, x);
    std::string text = buffer;
    for (char& c : text)
        if (c == '.' || c == ',') c = sep;
    return text;
}

} // namespace

std::string limittext(double x, char sep) {
    if (!std::isfinite(x)) return "0";
    std::string text = shorttext(x, sep);
    for (int digits = shortdigits + 1; parsenumber(text) != x && digits <= doubledigits; ++digits)
        text = printed(x, digits, sep);
    return text;
}

int readoutdigits(double lo, double hi, int pixels) {
    const double step = (hi - lo) / pixels;
    const double largest = std::max(std::fabs(lo), std::fabs(hi));
    if (pixels <= 0 || !(step > 0.0) || !std::isfinite(step) || !std::isfinite(largest) || !(largest > 0.0))
        return readoutusual;
    // The last digit kept must be no coarser than one pixel's step at the largest magnitude shown.
    const double digits = std::floor(std::log10(largest)) - std::floor(std::log10(step)) + 1.0;
    return static_cast<int>(std::clamp(digits, double{readoutusual}, double{doubledigits}));
}

} // namespace kelvora
