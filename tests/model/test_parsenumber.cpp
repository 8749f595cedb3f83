// Reading numbers from typed text and configuration lines.
#include "model/parsenumber.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace kelvora {
namespace {

using namespace std::string_literals;

// One case: text reads as expected.
struct Read {
    std::string text;
    double expected;
};
Read r(std::string text, double expected) {
    return {std::move(text), expected};
}

void expectread(std::initializer_list<Read> cases) {
    for (const Read& c : cases)
        EXPECT_EQ(parsenumber(c.text), c.expected) << "[" << c.text.substr(0, 60) << "]";
}

TEST(ParseNumber, SeparatorsBlanksAndStops) {
    expectread({// Either decimal separator; commas are never thousands separators.
                r("7,25", 7.25), r("7.25", 7.25), r("-,5", -0.5), r(".5", 0.5), r(" 6,00", 6.0),
                r(" .5 ", 0.5), r("0.906", 0.906), r("1,000.5", 1.0), r("1,2,3", 1.2), r("1.2.3", 1.2),
                // Blanks, tabs and line feeds are ignored anywhere; a carriage return is not among them.
                r(" -160 ", -160.0), r("1 000", 1000.0), r("\t- 1\n2 . 5", -12.5), r("1 E 3", 1000.0),
                r("\r5", 0.0), r("5\r", 5.0),
                // No digit gives zero.
                r("", 0.0), r("abc", 0.0), r("-", 0.0), r(".", 0.0), r("-.", 0.0), r("E5", 0.0),
                r(".E5", 0.0), r("+-5", 0.0), r("# 5", 0.0),
                // Reading stops at the first character that does not fit.
                r("12abc", 12.0), r("12-3", 12.0), r("3.5mV", 3.5), r("1e5x7", 1e5), r("1e+-5", 1.0)});
}

TEST(ParseNumber, Exponents) {
    expectread({r("3.7E1", 37.0), r("1e-3", 0.001), r("1.5E3", 1500.0), r("2D-2", 0.02), r("2d+2", 200.0),
                r("1E-05", 1e-5), r("1,5E+20", 1.5e20), r("1E", 1.0), r("1E+", 1.0), r("5.E2", 500.0),
                r("1E0000000000000000000000000000002", 100.0)});
}

TEST(ParseNumber, HexadecimalAndOctalWholeNumbers) {
    // Read as unsigned; the prefix only counts at the start. 33 digits are the most that fit: beyond 64 bits,
    // still exact for a power of two.
    expectread({r("&HFF", 255.0), r("&hff", 255.0), r("&o17", 15.0), r("&O777", 511.0), r(" & H 1 0", 16.0),
                r("&HFFFF", 65535.0), r("&HFFFFFFFFFFFFFFFF", 18446744073709551615.0), r("&H1.5", 1.0),
                r("&o18", 1.0), r("&O1234567012345670", static_cast<double>(01234567012345670)), r("&H", 0.0),
                r("&Hxyz", 0.0), r("&X1", 0.0), r("&", 0.0), r("-&H10", 0.0),
                r("&H1" + std::string(32, '0'), std::ldexp(1.0, 128)),
                r("&O1" + std::string(32, '0'), std::ldexp(1.0, 96))});
}

TEST(ParseNumber, OnlyTheFirst35CharactersCountAndRoundCorrectly) {
    // Many digits round correctly, a tie to even.
    expectread({r(std::string(35, ' ') + "5", 0.0), r(std::string(34, ' ') + "5", 5.0),
                r(std::string(34, ' ') + "56", 5.0),
                r(std::string(40, '1'), 11111111111111111111111111111111111.0),
                r("0." + std::string(32, '0') + "15", 1e-33), r("0.1000000000000000055511151231257", 0.1),
                r("9007199254740993", 9007199254740992.0),
                r("9007199254740993.0000000000000001", 9007199254740994.0),
                r("00000000000000000000000000000000007", 7.0)});
}

TEST(ParseNumber, BeyondTheDoubleRangeSaturatesAndZeroHasNoSign) {
    // Subnormal numbers are kept.
    expectread({r("1E999", DBL_MAX), r("-1E999", -DBL_MAX), r("1.7976931348623159E308", DBL_MAX),
                r("1.7976931348623157E308", DBL_MAX), r("1E" + std::string(33, '9'), DBL_MAX),
                r("0.00000000001E309", 1e298), r("1E-999", 0.0), r("1E-" + std::string(32, '9'), 0.0),
                r("1E-310", 1e-310), r("5E-324", 4.9406564584124654e-324), r("2E-324", 0.0),
                r("1" + std::string(20, '0') + "E300", DBL_MAX)});
    for (const char* zero : {"-0", "-0.000", "-1E-999"})
        EXPECT_FALSE(std::signbit(parsenumber(zero))) << zero;
}

TEST(ParseNumber, HostileInput) {
    std::string allbytes;
    for (int c = 0; c < 256; ++c)
        allbytes += static_cast<char>(c);
    // Long text: only the head is read. An embedded NUL ends the number like any other unfitting character.
    // Bytes outside ASCII, alone and inside a number; a typographic minus is not a sign.
    // (Octal escapes take three digits: "\0005" is NUL and 5; "\342\210\222" is the UTF-8 minus sign.)
    expectread({r(std::string(100000, '9'), 99999999999999999999999999999999999.0),
                r(std::string(100000, ' ') + "5", 0.0), r("12\00034"s, 12.0), r("\0005"s, 0.0),
                r("\377\3765", 0.0), r("4\302\262", 4.0), r("\342\210\2223", 0.0), r(allbytes, 0.0)});
}

} // namespace
} // namespace kelvora
