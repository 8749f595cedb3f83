// Number-to-text forms, compared as exact strings under both decimal separators.
#include "model/numtext.h"
#include "model/parsenumber.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

namespace kelvora {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notanumber = std::numeric_limits<double>::quiet_NaN();
constexpr float singleinfinity = std::numeric_limits<float>::infinity();
constexpr float singlenan = std::numeric_limits<float>::quiet_NaN();

// One case: x is written as text (with a decimal point). Single-precision cases widen exactly to double.
struct Written {
    double x;
    const char* text;
};
Written w(double x, const char* text) {
    return {x, text};
}

// Checks each case under a point and under a comma, where every point of the text becomes a comma.
template <typename Number>
void expectform(std::string (*form)(Number, char), const char* name, std::initializer_list<Written> cases) {
    for (const Written& c : cases) {
        std::string comma = c.text;
        for (char& ch : comma)
            if (ch == '.') ch = ',';
        const Number x = static_cast<Number>(c.x);
        EXPECT_EQ(form(x, '.'), c.text) << name << " " << testing::PrintToString(x);
        EXPECT_EQ(form(x, ','), comma) << name << " " << testing::PrintToString(x);
    }
}
#define EXPECT_FORMS(form, ...) expectform(form, #form, __VA_ARGS__)

TEST(NumberText, FixedSix) {
    EXPECT_FORMS(fixedsix,
                 {// The file's examples; the value from its single-precision number.
                  w(6.0, "6.00"), w(1.2f, "1.20"), w(0.906f, "0.906"), w(0.0001, "0.0001"),
                  w(10000.0, "10000.00"), w(-0.5, "-0.50"), w(123456789.0, "123456789.00"),
                  // Rounded to six decimals; the binary value of 0.1234565 lies just below the half.
                  w(0.0, "0.00"), w(0.1234565, "0.123456"), w(0.1234567, "0.123457"), w(0.0000004, "0.00"),
                  w(0.0000005000001, "0.000001"), w(2.9999999, "3.00"),
                  // A zero result has no minus.
                  w(-0.0, "0.00"), w(-0.0000001, "0.00"), w(-0.000001, "-0.000001"), w(notanumber, "0.00")});
}

TEST(NumberText, PlainNumber) {
    EXPECT_FORMS(
        plainnumber,
        {w(7.2, " 7.2 "), w(-160.0, "-160 "), w(0.0, " 0 "), w(3.0, " 3 "), w(-1.0, "-1 "),
         // No zero before the separator below one.
         w(0.5, " .5 "), w(-0.25, "-.25 "), w(0.0001, " .0001 "), w(-0.0, " 0 "),
         // Fifteen significant digits.
         w(0.1 + 0.2, " .3 "), w(1.0 / 3.0, " .333333333333333 "), w(-2.0 / 3.0, "-.666666666666667 "),
         w(123456789012345.0, " 123456789012345 "), w(12345678901234.56, " 12345678901234.6 "),
         // Exponent form outside the positional range; rounding may carry into it.
         w(1e-5, " 1E-05 "), w(-1e15, "-1E+15 "), w(1.5e20, " 1.5E+20 "), w(1e300, " 1E+300 "),
         w(999999999999999.9, " 1E+15 "), w(notanumber, " 0 "), w(-infinity, "-1.79769313486232E+308 ")});
}

TEST(NumberText, ShortText) {
    EXPECT_FORMS(shorttext, {w(0.906, "0.906"), w(0.0001, "0.0001"), w(1.2, "1.2"), w(0.0, "0"), w(-0.0, "0"),
                             w(-160.0, "-160"), w(-0.5, "-0.5"), w(0.1 + 0.2, "0.3"),
                             // A widened single value shows its double digits.
                             w(1.2000000476837158, "1.20000004768372"), w(1e-5, "1E-05"), w(1e15, "1E+15"),
                             w(99999999999999.0, "99999999999999"), w(-1.25e-100, "-1.25E-100"),
                             w(DBL_MAX, "1.79769313486232E+308"),
                             w(4.9406564584124654e-324, "4.94065645841247E-324"), w(notanumber, "0"),
                             w(infinity, "1.79769313486232E+308"), w(-infinity, "-1.79769313486232E+308")});
    for (double x : {0.906, -160.0, 1e-5, 1.5e20, 7.25, -0.0001, 123456.789}) {
        EXPECT_EQ(parsenumber(shorttext(x, '.')), x) << x;
        EXPECT_EQ(parsenumber(shorttext(x, ',')), x) << x;
        EXPECT_EQ(parsenumber(plainnumber(x, ',')), x) << x;
    }
}

TEST(NumberText, SingleText) {
    EXPECT_FORMS(singletext,
                 {w(1.2f, "1.2"), w(0.906f, "0.906"), w(0.0099999998f, "0.01"),
                  w(12345678.0f, "1.234568E+07"), w(1234567.0f, "1234567"), w(-0.5f, "-0.5"), w(0.0f, "0"),
                  w(-0.0f, "0"), w(0.0001f, "0.0001"), w(0.00001f, "1E-05"), w(1.0f / 3.0f, "0.3333333"),
                  w(FLT_MAX, "3.402823E+38"), w(singlenan, "0"), w(-singleinfinity, "-3.402823E+38")});
}

TEST(NumberText, TickPatternKeepsTheSeparator) {
    EXPECT_FORMS(tickpattern,
                 {w(2.0, "2."), w(0.5, "0.5"), w(-160.0, "-160."), w(0.0, "0."), w(0.1 + 0.2, "0.3"),
                  w(0.00000004, "0."), w(0.00000006, "0.0000001"), w(0.12345678, "0.1234568"), w(-0.0, "0."),
                  w(-0.00000001, "0."), w(-0.0000001, "-0.0000001"), w(notanumber, "0.")});
}

TEST(NumberText, TablePattern) {
    EXPECT_FORMS(tablepattern,
                 {w(3.0, "3."), w(0.0, "0."), w(-0.0, "0."), w(0.1 + 0.2, "0.3"), w(2.9999999999999996, "3."),
                  w(1.0 / 3.0, "0.333333333333333"), w(-123.456789012345678, "-123.456789012346"),
                  w(1.2000000476837158, "1.20000004768372"), w(1e20, "100000000000000000000."),
                  w(123456789012345678.0, "123456789012346000."),
                  // Small numbers keep fifteen decimals.
                  w(0.0001, "0.0001"), w(0.012345678901234567, "0.012345678901235"),
                  w(1e-15, "0.000000000000001"), w(4e-16, "0."), w(6e-16, "0.000000000000001"),
                  w(-4e-16, "0."), w(1e-300, "0."), w(notanumber, "0.")});
    // Single values show their own seven digits, capped at fifteen decimals.
    EXPECT_FORMS(tablepatternsingle, {w(1.2f, "1.2"), w(0.01f, "0.01"), w(0.906f, "0.906"), w(37.0f, "37."),
                                      w(-7.25f, "-7.25"), w(0.0f, "0."), w(123456789.0f, "123456800."),
                                      w(1.5e-9f, "0.0000000015"), w(1.234567e-12f, "0.000000000001235")});
}

TEST(NumberText, TrimSeparatorRemovesOneTrailingSeparator) {
    EXPECT_EQ(trimseparator("3."), "3");
    EXPECT_EQ(trimseparator("3,"), "3");
    EXPECT_EQ(trimseparator("3.5"), "3.5");
    EXPECT_EQ(trimseparator("3,,"), "3,");
    EXPECT_EQ(trimseparator(""), "");
    EXPECT_EQ(trimseparator("."), "");
    EXPECT_EQ(trimseparator(trimseparator(tablepattern(-160.0, ','))), "-160");
}

TEST(NumberText, InfinityIsTheLargestNumberInFull) {
    const std::string largest = fixedsix(infinity, '.');
    EXPECT_EQ(largest.size(), 309u + 3u);
    EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
    EXPECT_EQ(largest.substr(largest.size() - 3), ".00");
    std::string negative(1, '-'); // the 309 integer digits with a bare comma
    negative.append(largest, 0, 309);
    negative += ',';
    EXPECT_EQ(tickpattern(-infinity, ','), negative);
    EXPECT_EQ(tablepattern(infinity, '.'), std::string("179769313486232") + std::string(294, '0') + ".");
    EXPECT_TRUE(std::isfinite(parsenumber(shorttext(infinity, '.'))));
}

} // namespace
} // namespace kelvora
