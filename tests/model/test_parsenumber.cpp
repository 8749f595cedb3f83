// Reading numbers from typed text and configuration lines.
#include "model/parsenumber.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <string_view>

namespace kelvora {
namespace {

using namespace std::string_literals;

TEST(ParseNumber, EitherDecimalSeparator) {
    EXPECT_EQ(parsenumber("7,25"), 7.25);
    EXPECT_EQ(parsenumber("7.25"), 7.25);
    EXPECT_EQ(parsenumber("-,5"), -0.5);
    EXPECT_EQ(parsenumber(".5"), 0.5);
    EXPECT_EQ(parsenumber(" 6,00"), 6.0);
    EXPECT_EQ(parsenumber(" .5 "), 0.5);
    EXPECT_EQ(parsenumber("0.906"), 0.906);
}

TEST(ParseNumber, CommasAreNeverThousandsSeparators) {
    EXPECT_EQ(parsenumber("1,000.5"), 1.0);
    EXPECT_EQ(parsenumber("1,2,3"), 1.2);
    EXPECT_EQ(parsenumber("1.2.3"), 1.2);
}

TEST(ParseNumber, BlanksTabsAndLineFeedsIgnoredAnywhere) {
    EXPECT_EQ(parsenumber(" -160 "), -160.0);
    EXPECT_EQ(parsenumber("1 000"), 1000.0);
    EXPECT_EQ(parsenumber(" 6.00 "), 6.0);
    EXPECT_EQ(parsenumber("\t- 1\n2 . 5"), -12.5);
    EXPECT_EQ(parsenumber("1 E 3"), 1000.0);
    EXPECT_EQ(parsenumber("\r5"), 0.0); // a carriage return is not among them
    EXPECT_EQ(parsenumber("5\r"), 5.0);
}

TEST(ParseNumber, NoDigitGivesZero) {
    EXPECT_EQ(parsenumber(""), 0.0);
    EXPECT_EQ(parsenumber("abc"), 0.0);
    EXPECT_EQ(parsenumber("-"), 0.0);
    EXPECT_EQ(parsenumber("."), 0.0);
    EXPECT_EQ(parsenumber("-."), 0.0);
    EXPECT_EQ(parsenumber("E5"), 0.0);
    EXPECT_EQ(parsenumber(".E5"), 0.0);
    EXPECT_EQ(parsenumber("+-5"), 0.0);
    EXPECT_EQ(parsenumber("# 5"), 0.0);
}

TEST(ParseNumber, ReadingStopsAtFirstUnfittingCharacter) {
    EXPECT_EQ(parsenumber("12abc"), 12.0);
    EXPECT_EQ(parsenumber("12-3"), 12.0);
    EXPECT_EQ(parsenumber("3.5mV"), 3.5);
    EXPECT_EQ(parsenumber("1e5x7"), 1e5);
    EXPECT_EQ(parsenumber("1e+-5"), 1.0);
}

TEST(ParseNumber, Exponents) {
    EXPECT_EQ(parsenumber("3.7E1"), 37.0);
    EXPECT_EQ(parsenumber("1e-3"), 0.001);
    EXPECT_EQ(parsenumber("1.5E3"), 1500.0);
    EXPECT_EQ(parsenumber("2D-2"), 0.02);
    EXPECT_EQ(parsenumber("2d+2"), 200.0);
    EXPECT_EQ(parsenumber("1E-05"), 1e-5);
    EXPECT_EQ(parsenumber("1,5E+20"), 1.5e20);
    EXPECT_EQ(parsenumber("1E"), 1.0);
    EXPECT_EQ(parsenumber("1E+"), 1.0);
    EXPECT_EQ(parsenumber("5.E2"), 500.0);
    EXPECT_EQ(parsenumber("1E0000000000000000000000000000002"), 100.0);
}

TEST(ParseNumber, HexadecimalAndOctalWholeNumbers) {
    EXPECT_EQ(parsenumber("&HFF"), 255.0);
    EXPECT_EQ(parsenumber("&hff"), 255.0);
    EXPECT_EQ(parsenumber("&o17"), 15.0);
    EXPECT_EQ(parsenumber("&O777"), 511.0);
    EXPECT_EQ(parsenumber(" & H 1 0"), 16.0);
    EXPECT_EQ(parsenumber("&HFFFF"), 65535.0); // read as unsigned
    EXPECT_EQ(parsenumber("&HFFFFFFFFFFFFFFFF"), 18446744073709551615.0);
    EXPECT_EQ(parsenumber("&H1.5"), 1.0);
    EXPECT_EQ(parsenumber("&o18"), 1.0);
    EXPECT_EQ(parsenumber("&O1234567012345670"), static_cast<double>(01234567012345670));
    EXPECT_EQ(parsenumber("&H"), 0.0);
    EXPECT_EQ(parsenumber("&Hxyz"), 0.0);
    EXPECT_EQ(parsenumber("&X1"), 0.0);
    EXPECT_EQ(parsenumber("&"), 0.0);
    EXPECT_EQ(parsenumber("-&H10"), 0.0); // the prefix only counts at the start
    // 33 digits, the most that fit: beyond 64 bits, still exact for a power of two.
    EXPECT_EQ(parsenumber("&H1"s + std::string(32, '0')), std::ldexp(1.0, 128));
    EXPECT_EQ(parsenumber("&O1"s + std::string(32, '0')), std::ldexp(1.0, 96));
}

TEST(ParseNumber, OnlyTheFirst35CharactersCount) {
    EXPECT_EQ(parsenumber(std::string(35, ' ') + "5"), 0.0);
    EXPECT_EQ(parsenumber(std::string(34, ' ') + "5"), 5.0);
    EXPECT_EQ(parsenumber(std::string(34, ' ') + "56"), 5.0);
    EXPECT_EQ(parsenumber(std::string(40, '1')), 11111111111111111111111111111111111.0);
    EXPECT_EQ(parsenumber("0." + std::string(32, '0') + "15"), 1e-33);
}

TEST(ParseNumber, ManyDigitsRoundCorrectly) {
    EXPECT_EQ(parsenumber("0.1000000000000000055511151231257"), 0.1);
    EXPECT_EQ(parsenumber("9007199254740993"), 9007199254740992.0); // a tie goes to even
    EXPECT_EQ(parsenumber("9007199254740993.0000000000000001"), 9007199254740994.0);
    EXPECT_EQ(parsenumber("00000000000000000000000000000000007"), 7.0);
}

TEST(ParseNumber, NeverNegativeZero) {
    EXPECT_FALSE(std::signbit(parsenumber("-0")));
    EXPECT_FALSE(std::signbit(parsenumber("-0.000")));
    EXPECT_FALSE(std::signbit(parsenumber("-1E-999")));
}

TEST(ParseNumber, BeyondTheDoubleRangeSaturates) {
    EXPECT_EQ(parsenumber("1E999"), DBL_MAX);
    EXPECT_EQ(parsenumber("-1E999"), -DBL_MAX);
    EXPECT_EQ(parsenumber("1.7976931348623159E308"), DBL_MAX);
    EXPECT_EQ(parsenumber("1.7976931348623157E308"), DBL_MAX);
    EXPECT_EQ(parsenumber("1E" + std::string(33, '9')), DBL_MAX);
    EXPECT_EQ(parsenumber("0.00000000001E309"), 1e298);
    EXPECT_EQ(parsenumber("1E-999"), 0.0);
    EXPECT_EQ(parsenumber("1E-" + std::string(32, '9')), 0.0);
    EXPECT_EQ(parsenumber("1E-310"), 1e-310); // subnormal, kept
    EXPECT_EQ(parsenumber("5E-324"), 4.9406564584124654e-324);
    EXPECT_EQ(parsenumber("2E-324"), 0.0);
    EXPECT_EQ(parsenumber("1" + std::string(20, '0') + "E300"), DBL_MAX);
}

TEST(ParseNumber, HostileInput) {
    // Long text: only the head is read.
    std::string longtext(100000, '9');
    EXPECT_EQ(parsenumber(longtext), 99999999999999999999999999999999999.0);
    std::string longblanks(100000, ' ');
    longblanks += "5";
    EXPECT_EQ(parsenumber(longblanks), 0.0);
    // An embedded NUL ends the number like any other unfitting character.
    EXPECT_EQ(parsenumber(std::string_view("12\0"
                                           "34",
                                           5)),
              12.0);
    EXPECT_EQ(parsenumber(std::string_view("\0"
                                           "5",
                                           2)),
              0.0);
    // Bytes outside ASCII, alone and inside a number.
    EXPECT_EQ(parsenumber("\xff\xfe"
                          "5"),
              0.0);
    EXPECT_EQ(parsenumber("4\xc2\xb2"), 4.0);
    EXPECT_EQ(parsenumber("\xe2\x88\x92"
                          "3"),
              0.0); // a typographic minus is not a sign
    std::string allbytes;
    for (int c = 0; c < 256; ++c)
        allbytes += static_cast<char>(c);
    EXPECT_EQ(parsenumber(allbytes), 0.0);
    EXPECT_TRUE(std::isfinite(parsenumber("9" + std::string(34, '9'))));
}

} // namespace
} // namespace kelvora
