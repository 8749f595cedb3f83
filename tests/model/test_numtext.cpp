// Number-to-text forms, compared as exact strings under both decimal separators.
#include "model/numtext.h"
#include "model/parsenumber.h"
#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace kelvora {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notanumber = std::numeric_limits<double>::quiet_NaN();

// The text expected under a decimal comma: the same with every point replaced.
std::string withcomma(std::string text) {
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

// Checks a form under both separators against the point-separated expectation.
#define EXPECT_FORM(form, x, expected)                                                                       \
    do {                                                                                                     \
        EXPECT_EQ(form(x, '.'), std::string(expected)) << #form "(" #x ", '.')";                             \
        EXPECT_EQ(form(x, ','), withcomma(expected)) << #form "(" #x ", ',')";                               \
    } while (false)

TEST(FixedSix, FileExamples) {
    EXPECT_FORM(fixedsix, 6.0, "6.00");
    EXPECT_FORM(fixedsix, static_cast<double>(1.2f), "1.20");
    EXPECT_FORM(fixedsix, static_cast<double>(0.906f), "0.906");
    EXPECT_FORM(fixedsix, 0.0001, "0.0001");
    EXPECT_FORM(fixedsix, 10000.0, "10000.00");
    EXPECT_FORM(fixedsix, -0.5, "-0.50");
}

TEST(FixedSix, RoundsToSixDecimalsAndKeepsTwo) {
    EXPECT_FORM(fixedsix, 0.0, "0.00");
    EXPECT_FORM(fixedsix, 0.1234565, "0.123456"); // the binary value lies just below the half
    EXPECT_FORM(fixedsix, 0.1234567, "0.123457");
    EXPECT_FORM(fixedsix, 0.0000004, "0.00");
    EXPECT_FORM(fixedsix, 0.0000005000001, "0.000001");
    EXPECT_FORM(fixedsix, 2.9999999, "3.00");
    EXPECT_FORM(fixedsix, 6.01, "6.01");
    EXPECT_FORM(fixedsix, 1e-5, "0.00001");
    EXPECT_FORM(fixedsix, 123456789.0, "123456789.00");
}

TEST(FixedSix, ZeroResultHasNoMinus) {
    EXPECT_FORM(fixedsix, -0.0, "0.00");
    EXPECT_FORM(fixedsix, -0.0000001, "0.00");
    EXPECT_FORM(fixedsix, -0.000001, "-0.000001");
}

TEST(PlainNumber, FileExamples) {
    EXPECT_FORM(plainnumber, 7.2, " 7.2 ");
    EXPECT_FORM(plainnumber, -160.0, "-160 ");
    EXPECT_FORM(plainnumber, 0.0, " 0 ");
    EXPECT_FORM(plainnumber, 3.0, " 3 ");
    EXPECT_FORM(plainnumber, -1.0, "-1 ");
    EXPECT_FORM(plainnumber, 0.5, " .5 ");
}

TEST(PlainNumber, NoZeroBeforeTheSeparatorBelowOne) {
    EXPECT_FORM(plainnumber, -0.25, "-.25 ");
    EXPECT_FORM(plainnumber, 0.0001, " .0001 ");
    EXPECT_FORM(plainnumber, -0.0, " 0 ");
    EXPECT_FORM(plainnumber, 0.99999999999999999, " 1 ");
}

TEST(PlainNumber, FifteenSignificantDigits) {
    EXPECT_FORM(plainnumber, 0.1 + 0.2, " .3 ");
    EXPECT_FORM(plainnumber, 1.0 / 3.0, " .333333333333333 ");
    EXPECT_FORM(plainnumber, -2.0 / 3.0, "-.666666666666667 ");
    EXPECT_FORM(plainnumber, 123456789012345.0, " 123456789012345 ");
    EXPECT_FORM(plainnumber, 12345678901234.56, " 12345678901234.6 ");
}

TEST(PlainNumber, ExponentFormOutsidePositionalRange) {
    EXPECT_FORM(plainnumber, 1e-5, " 1E-05 ");
    EXPECT_FORM(plainnumber, -1e15, "-1E+15 ");
    EXPECT_FORM(plainnumber, 1.5e20, " 1.5E+20 ");
    EXPECT_FORM(plainnumber, 1e300, " 1E+300 ");
    EXPECT_FORM(plainnumber, 2.5e-7, " 2.5E-07 ");
    EXPECT_FORM(plainnumber, 999999999999999.9, " 1E+15 "); // rounding carries into the next exponent
}

TEST(ShortText, BoxExamples) {
    EXPECT_FORM(shorttext, 0.906, "0.906");
    EXPECT_FORM(shorttext, 0.0001, "0.0001");
    EXPECT_FORM(shorttext, 1.2, "1.2");
    EXPECT_FORM(shorttext, 0.0, "0");
    EXPECT_FORM(shorttext, -0.0, "0");
    EXPECT_FORM(shorttext, -160.0, "-160");
    EXPECT_FORM(shorttext, 10000.0, "10000");
    EXPECT_FORM(shorttext, -0.5, "-0.5");
}

TEST(ShortText, SingleValueWidenedShowsItsDoubleDigits) {
    // The panel rounds a widened value to six digits before writing it; without that rounding the
    // fifteen digits show the single-precision error.
    EXPECT_FORM(shorttext, 1.2000000476837158, "1.20000004768372");
    EXPECT_FORM(shorttext, 0.1 + 0.2, "0.3");
    EXPECT_FORM(shorttext, siground(1.2000000476837158, 6), "1.2");
    EXPECT_FORM(shorttext, siground(static_cast<double>(0.0001f), 6), "0.0001");
}

TEST(ShortText, ExponentForm) {
    EXPECT_FORM(shorttext, 1e-5, "1E-05");
    EXPECT_FORM(shorttext, 1e15, "1E+15");
    EXPECT_FORM(shorttext, 99999999999999.0, "99999999999999");
    EXPECT_FORM(shorttext, -1.25e-100, "-1.25E-100");
    EXPECT_FORM(shorttext, DBL_MAX, "1.79769313486232E+308");
    EXPECT_FORM(shorttext, 4.9406564584124654e-324, "4.94065645841247E-324");
}

TEST(ShortText, ReadsBackUnderEitherSeparator) {
    for (double x : {0.906, -160.0, 1e-5, 1.5e20, 7.25, -0.0001, 123456.789}) {
        EXPECT_EQ(parsenumber(shorttext(x, '.')), x) << x;
        EXPECT_EQ(parsenumber(shorttext(x, ',')), x) << x;
        EXPECT_EQ(parsenumber(plainnumber(x, ',')), x) << x;
    }
}

TEST(SingleText, SevenSignificantDigits) {
    EXPECT_FORM(singletext, 1.2f, "1.2");
    EXPECT_FORM(singletext, 0.906f, "0.906");
    EXPECT_FORM(singletext, 0.0099999998f, "0.01");
    EXPECT_FORM(singletext, 12345678.0f, "1.234568E+07");
    EXPECT_FORM(singletext, 1234567.0f, "1234567");
    EXPECT_FORM(singletext, -0.5f, "-0.5");
    EXPECT_FORM(singletext, 0.0f, "0");
    EXPECT_FORM(singletext, -0.0f, "0");
    EXPECT_FORM(singletext, 0.0001f, "0.0001");
    EXPECT_FORM(singletext, 0.00001f, "1E-05");
    EXPECT_FORM(singletext, 10000.0f, "10000");
    EXPECT_FORM(singletext, 1.0f / 3.0f, "0.3333333");
    EXPECT_FORM(singletext, FLT_MAX, "3.402823E+38");
}

TEST(TickPattern, SevenDecimalsSeparatorStays) {
    EXPECT_FORM(tickpattern, 2.0, "2.");
    EXPECT_FORM(tickpattern, 0.5, "0.5");
    EXPECT_FORM(tickpattern, -160.0, "-160.");
    EXPECT_FORM(tickpattern, 0.0, "0.");
    EXPECT_FORM(tickpattern, 2.5, "2.5");
    EXPECT_FORM(tickpattern, 0.1 + 0.2, "0.3");
    EXPECT_FORM(tickpattern, 0.00000004, "0.");
    EXPECT_FORM(tickpattern, 0.00000006, "0.0000001");
    EXPECT_FORM(tickpattern, 0.12345678, "0.1234568");
    EXPECT_FORM(tickpattern, 1234.5, "1234.5");
}

TEST(TickPattern, ZeroResultHasNoMinus) {
    EXPECT_FORM(tickpattern, -0.0, "0.");
    EXPECT_FORM(tickpattern, -0.00000001, "0.");
    EXPECT_FORM(tickpattern, -0.0000001, "-0.0000001");
}

TEST(TablePattern, FifteenDecimalsOfFifteenDigits) {
    EXPECT_FORM(tablepattern, 3.0, "3.");
    EXPECT_FORM(tablepattern, 0.0, "0.");
    EXPECT_FORM(tablepattern, -0.0, "0.");
    EXPECT_FORM(tablepattern, 0.1 + 0.2, "0.3");
    EXPECT_FORM(tablepattern, 2.9999999999999996, "3.");
    EXPECT_FORM(tablepattern, -160.0, "-160.");
    EXPECT_FORM(tablepattern, 1.0 / 3.0, "0.333333333333333");
    EXPECT_FORM(tablepattern, -123.456789012345678, "-123.456789012346");
    EXPECT_FORM(tablepattern, 1.2000000476837158, "1.20000004768372");
    EXPECT_FORM(tablepattern, 1e20, "100000000000000000000.");
    EXPECT_FORM(tablepattern, 123456789012345678.0, "123456789012346000.");
}

TEST(TablePattern, SmallNumbersKeepFifteenDecimals) {
    EXPECT_FORM(tablepattern, 0.0001, "0.0001");
    EXPECT_FORM(tablepattern, 0.012345678901234567, "0.012345678901235");
    EXPECT_FORM(tablepattern, 1e-15, "0.000000000000001");
    EXPECT_FORM(tablepattern, 4e-16, "0.");
    EXPECT_FORM(tablepattern, 6e-16, "0.000000000000001");
    EXPECT_FORM(tablepattern, -4e-16, "0.");
    EXPECT_FORM(tablepattern, 1e-300, "0.");
}

TEST(TrimSeparator, RemovesOneTrailingSeparator) {
    EXPECT_EQ(trimseparator("3."), "3");
    EXPECT_EQ(trimseparator("3,"), "3");
    EXPECT_EQ(trimseparator("3.5"), "3.5");
    EXPECT_EQ(trimseparator("3,,"), "3,");
    EXPECT_EQ(trimseparator(""), "");
    EXPECT_EQ(trimseparator("."), "");
    EXPECT_EQ(trimseparator(trimseparator(tablepattern(-160.0, ','))), "-160");
}

TEST(NonFinite, WrittenAsZeroOrLargestNumber) {
    EXPECT_FORM(shorttext, notanumber, "0");
    EXPECT_FORM(shorttext, infinity, "1.79769313486232E+308");
    EXPECT_FORM(shorttext, -infinity, "-1.79769313486232E+308");
    EXPECT_FORM(plainnumber, notanumber, " 0 ");
    EXPECT_FORM(plainnumber, -infinity, "-1.79769313486232E+308 ");
    EXPECT_FORM(singletext, std::numeric_limits<float>::quiet_NaN(), "0");
    EXPECT_FORM(singletext, -std::numeric_limits<float>::infinity(), "-3.402823E+38");
    EXPECT_FORM(fixedsix, notanumber, "0.00");
    EXPECT_FORM(tickpattern, notanumber, "0.");
    EXPECT_FORM(tablepattern, notanumber, "0.");
    // The fixed forms of an infinity are the full digits of the largest double.
    const std::string largest = fixedsix(infinity, '.');
    EXPECT_EQ(largest.size(), 309u + 3u);
    EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
    EXPECT_EQ(largest.substr(largest.size() - 3), ".00");
    EXPECT_EQ(tickpattern(-infinity, ','), "-" + largest.substr(0, 310).replace(309, 1, ","));
    EXPECT_EQ(tablepattern(infinity, '.'), "179769313486232" + std::string(294, '0') + ".");
    EXPECT_TRUE(std::isfinite(parsenumber(shorttext(infinity, '.'))));
}

} // namespace
TEST(TablePattern, SingleValuesShowTheirOwnDigits) {
    EXPECT_FORM(tablepatternsingle, 1.2f, "1.2");
    EXPECT_FORM(tablepatternsingle, 0.01f, "0.01");
    EXPECT_FORM(tablepatternsingle, 0.906f, "0.906");
    EXPECT_FORM(tablepatternsingle, 37.0f, "37.");
    EXPECT_FORM(tablepatternsingle, 10000.0f, "10000.");
    EXPECT_FORM(tablepatternsingle, -7.25f, "-7.25");
    EXPECT_FORM(tablepatternsingle, 0.0f, "0.");
    EXPECT_FORM(tablepatternsingle, 123456789.0f, "123456800."); // seven significant digits
    EXPECT_FORM(tablepatternsingle, 1.5e-9f, "0.0000000015");
    EXPECT_FORM(tablepatternsingle, 1.234567e-12f, "0.000000000001235"); // capped at fifteen decimals
}

} // namespace kelvora
