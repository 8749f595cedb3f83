// Numbers as text both ways, and the rounding helpers, compared exactly; axis limit texts that read back as
// the same limits, and readout digits that tell pixels apart.
#include "model/limittext.h"
#include "model/numtext.h"
#include "model/parsenumber.h"
#include "model/rounding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

using namespace std::string_literals;
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notanumber = std::numeric_limits<double>::quiet_NaN();

std::pair<std::string, double> r(std::string text, double expected) {
    return {std::move(text), expected};
}

void expectread(std::initializer_list<std::pair<std::string, double>> cases) {
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parsenumber(text), expected) << "[" << text.substr(0, 60) << "]";
}

TEST(ParseNumber, Rules) {
    expectread({// Either separator, never a thousands separator; blanks, tabs and line feeds anywhere, no CR.
                r("7,25", 7.25), r("-,5", -0.5), r(" .5 ", 0.5), r("\t- 1\n2 . 5", -12.5), r("\r5", 0.0),
                // No digit gives zero; reading stops at the first unfitting character; E and D exponents.
                r("", 0.0), r("abc", 0.0), r("+-5", 0.0), r("12abc", 12.0), r("3.7E1", 37.0), r("2D-2", 0.02),
                r("1e+-5", 1.0),
                // &H and &O whole numbers, unsigned, the prefix only at the start; exact beyond 64 bits.
                r("&HFF", 255.0), r(" & H 1 0", 16.0), r("&o17", 15.0), r("&X1", 0.0), r("-&H10", 0.0),
                r("&H1" + std::string(32, '0'), std::ldexp(1.0, 128)),
                // Only the first 35 characters count, correctly rounded, a tie to even.
                r(std::string(35, ' ') + "5", 0.0), r(std::string(34, ' ') + "56", 5.0),
                r(std::string(40, '1'), 11111111111111111111111111111111111.0),
                r("9007199254740993", 9007199254740992.0),
                r("9007199254740993.0000000000000001", 9007199254740994.0),
                // Beyond the double range: saturated or zero, never infinite; subnormal numbers are kept.
                r("1E999", DBL_MAX), r("1E" + std::string(33, '9'), DBL_MAX), r("1E-999", 0.0),
                r("0.00000000001E309", 1e298), r("5E-324", 4.9406564584124654e-324), r("2E-324", 0.0),
                // Hostile text: 100 000 characters, NUL, bytes outside ASCII (the UTF-8 minus is no sign).
                r(std::string(100000, '9'), 99999999999999999999999999999999999.0), r("12\00034"s, 12.0),
                r("\0005"s, 0.0), r("\377\3765", 0.0), r("4\302\262", 4.0), r("\342\210\2223", 0.0)});
    EXPECT_FALSE(std::signbit(parsenumber("-0")) || std::signbit(parsenumber("-1E-999"))); // no signed zero
}

std::tuple<double, int16_t, double> sig(double x, int16_t n, double expected) {
    return {x, n, expected};
}

std::pair<double, const char*> w(double x, const char* text) {
    return {x, text};
}

// Checks each case under a point and under a comma, where every point of the text becomes a comma; and
// when asked, that both texts read back as the number itself.
template <typename Number>
void expectform(std::string (*form)(Number, char), const char* name,
                std::initializer_list<std::pair<double, const char*>> cases, bool readsback = false) {
    for (const auto& [x, text] : cases) {
        std::string comma = text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        EXPECT_EQ(form(static_cast<Number>(x), '.'), text) << name << " " << x;
        EXPECT_EQ(form(static_cast<Number>(x), ','), comma) << name << " " << x;
        EXPECT_TRUE(!readsback || (parsenumber(text) == x && parsenumber(comma) == x)) << name << " " << x;
    }
}
#define EXPECT_FORMS(form, ...) expectform(form, #form, __VA_ARGS__)

TEST(NumberText, EveryFormUnderBothSeparators) {
    EXPECT_FORMS(fixedsix,
                 {// Six decimals; a zero result has no minus. The binary 0.1234565 lies below the half.
                  w(0.906f, "0.906"), w(0.1234565, "0.123456"), w(2.9999999, "3.00"), w(-0.0000001, "0.00"),
                  w(notanumber, "0.00")});
    EXPECT_FORMS(plainnumber,
                 {// No zero ahead of the separator, fifteen significant digits, exponents where needed.
                  w(-0.0, " 0 "), w(1.0 / 3.0, " .333333333333333 "), w(1e-5, " 1E-05 "), w(-1e15, "-1E+15 "),
                  w(999999999999999.9, " 1E+15 "), w(notanumber, " 0 "),
                  w(-infinity, "-1.79769313486232E+308 ")});
    EXPECT_FORMS(shorttext, {w(-0.0, "0"), w(0.1 + 0.2, "0.3"), w(1.2000000476837158, "1.20000004768372"),
                             w(1e15, "1E+15"), w(4.9406564584124654e-324, "4.94065645841247E-324"),
                             w(notanumber, "0"), w(infinity, "1.79769313486232E+308")});
    EXPECT_FORMS(singletext, {w(1.2f, "1.2"), w(0.0099999998f, "0.01"), w(12345678.0f, "1.234568E+07"),
                              w(1234567.0f, "1234567"), w(0.00001f, "1E-05"), w(1.0f / 3.0f, "0.3333333"),
                              w(notanumber, "0"), w(-infinity, "-3.402823E+38")});
    EXPECT_FORMS(tickpattern, {// Seven decimals; the separator stays.
                               w(0.00000004, "0."), w(0.00000006, "0.0000001"), w(-0.0000001, "-0.0000001"),
                               w(notanumber, "0.")});
    EXPECT_FORMS(tablepattern,
                 {// Fifteen significant digits, at most fifteen decimals.
                  w(3.0, "3."), w(-0.0, "0."), w(2.9999999999999996, "3."), w(1.0 / 3.0, "0.333333333333333"),
                  w(-123.456789012345678, "-123.456789012346"), w(0.012345678901234567, "0.012345678901235"),
                  w(6e-16, "0.000000000000001"), w(notanumber, "0.")});
    // One trailing separator is removed.
    EXPECT_EQ(std::tuple(trimseparator("3,,"), trimseparator("3.5"), trimseparator("")),
              std::tuple("3,", "3.5", ""));
}

TEST(Rounding, SigroundAndIntegerConversions) {
    // The floor branch (zero, or at least n integer digits; floor also for negatives), significant digits,
    // ties to even, and the shift capped at 20 decimals (21 wanted, 20 kept).
    for (const auto& [x, n, expected] :
         {sig(123456.7, 5, 123456.0), sig(-123456.7, 5, -123457.0), sig(0.000123456, 4, 0.0001235),
          sig(-122.69385, 5, -122.69), sig(0.0099999997764825821, 6, 0.01), sig(0.25, 1, 0.2),
          sig(0.75, 1, 0.8), sig(1e-30, 5, 0.0), sig(1.23456e-17, 5, 1235 / 1e20),
          sig(infinity, 5, infinity)})
        EXPECT_EQ(siground(x, n), expected) << x << " " << n;
    EXPECT_TRUE(std::isnan(siground(notanumber, 5)));
    // roundup: the next whole number, half to even, saturating, NaN to 0, never undefined.
    EXPECT_EQ(std::tuple(roundup(2.0), roundup(2.1), roundup(-2.5), roundup(notanumber)),
              std::tuple(2, 3, -2, 0));
    EXPECT_EQ(std::tuple(roundup(1e300), roundup(-1e300)), std::tuple(INT32_MAX, INT32_MIN));
}

TEST(LimitText, ShortestTextThatReadsBackAsTheSameLimit) {
    // The largest double: its 15-digit text lies beyond it and reads back saturated, as that double.
    EXPECT_FORMS(limittext,
                 {w(-160.0, "-160"), w(3.0, "3"), w(0.5, "0.5"), w(-122.70001, "-122.70001"),
                  w(-122.69999, "-122.69999"), w(1.000001, "1.000001"), w(1.000002, "1.000002"),
                  w(1e9, "1000000000"), w(-3e9, "-3000000000"), w(1e-30, "1E-30"),
                  w(0.1 + 0.2, "0.30000000000000004"), w(1.0 + DBL_EPSILON, "1.0000000000000002"),
                  w(DBL_MAX, "1.79769313486232E+308"), w(-DBL_MIN, "-2.2250738585072014E-308")},
                 true);
    EXPECT_FORMS(limittext, {w(notanumber, "0")});
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
