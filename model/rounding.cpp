#include "model/rounding.h"

#include <cmath>
#include <limits>

namespace kelvora {
namespace {

// Largest count of decimals siground shifts by; below that a number rounds to zero.
constexpr int maxshift = 20;

template <typename Int> Int saturate(double whole) {
    if (std::isnan(whole)) return 0;
    if (whole <= static_cast<double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    if (whole >= static_cast<double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
    return static_cast<Int>(whole);
}

} // namespace

double siground(double x, int16_t n) {
    if (!std::isfinite(x)) return x;
    if (x == 0.0 || std::pow(10.0, n - 1) <= std::fabs(x)) return std::floor(x);
    // The quotient is taken as computed: for 1000 it lies just below 3, so k is 2, not 3.
    const double k = std::floor(std::log(std::fabs(x)) / std::log(10.0));
    double d = (n - 1) - k;
    if (d > maxshift) d = maxshift;
    const double scale = std::pow(10.0, d);
    // nearbyint in the default rounding mode rounds half to even: 0.25 -> 0.2, 0.75 -> 0.8.
    return std::nearbyint(x * scale) / scale;
}

int32_t roundup(double x) {
    const double f = std::floor(x);
    return saturate<int32_t>(f == x ? x : f + 1.0);
}

int32_t roundeven32(double x) {
    return saturate<int32_t>(std::nearbyint(x));
}
int16_t roundeven16(double x) {
    return saturate<int16_t>(std::nearbyint(x));
}
int32_t floor32(double x) {
    return saturate<int32_t>(std::floor(x));
}

} // namespace kelvora
