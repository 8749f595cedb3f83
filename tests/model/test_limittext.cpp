// Axis limit texts that read back as the same limits, and readout digits that tell pixels apart.
#include "model/limittext.h"

#include "model/parsenumber.h"
#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace kelvora {
namespace {

std::pair<double, const char*> t(double x, const char* text) {
    return {x, text};
}

TEST(LimitText, ShortestTextThatReadsBackAsTheSameLimit) {
    // The largest double: its 15-digit text lies beyond it and reads back saturated, as that double.
    for (const auto& [x, text] :
         {t(-160.0, "-160"), t(3.0, "3"), t(0.5, "0.5"), t(-122.70001, "-122.70001"),
          t(-122.69999, "-122.69999"), t(1.000001, "1.000001"), t(1.000002, "1.000002"), t(1e9, "1000000000"),
          t(-3e9, "-3000000000"), t(1e-30, "1E-30"), t(0.1 + 0.2, "0.30000000000000004"),
          t(1.0 + DBL_EPSILON, "1.0000000000000002"), t(DBL_MAX, "1.79769313486232E+308"),
          t(-DBL_MIN, "-2.2250738585072014E-308")}) {
        for (char sep : {'.', ','}) {
            std::string expected = text;
            for (char& c : expected)
                if (c == '.') c = sep;
            EXPECT_EQ(limittext(x, sep), expected) << x;
            EXPECT_EQ(parsenumber(limittext(x, sep)), x) << x;
        }
    }
    EXPECT_EQ(limittext(NAN, '.'), "0");
}

TEST(ReadoutDigits, NeighbouringPixelsReadDifferently) {
    // lo, hi, pixels, digits: the usual 4 where they suffice.
    const std::vector<std::tuple<double, double, int, int>> cases = {
        {-160, -80, 461, 4},           {0, 3, 270, 4},     {-122.70001, -122.69999, 461, 11},
        {1.000001, 1.000002, 270, 10}, {1e9, 3e9, 270, 4}, {-3e9, -3e9 + 1, 461, 13}};
    for (const auto& [lo, hi, pixels, digits] : cases) {
        const int n = readoutdigits(lo, hi, pixels);
        EXPECT_EQ(n, digits) << lo << " " << hi;
        for (int p = 0; p < pixels; ++p) {
            const double a = lo + (hi - lo) * p / pixels;
            const double b = lo + (hi - lo) * (p + 1) / pixels;
            ASSERT_NE(siground(a, static_cast<int16_t>(n)), siground(b, static_cast<int16_t>(n)))
                << lo << " " << hi << " pixel " << p;
        }
    }
    EXPECT_EQ(readoutdigits(0, 0, 100), 4);
    EXPECT_EQ(readoutdigits(0, 1, 0), 4);
}

} // namespace
} // namespace kelvora
