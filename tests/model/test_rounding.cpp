#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvora;

namespace {
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notanumber = std::numeric_limits<double>::quiet_NaN();
struct Rounded {
    double x;
    int16_t n;
    double expected;
};
Rounded sig(double x, int16_t n, double expected) {
    return {x, n, expected};
}
} // namespace

TEST(Siground, Cases) {
    // The floor branch (zero, or at least n integer digits; floor also for negatives), significant digits,
    // ties to even, and the shift capped at 20 decimals (21 wanted, 20 kept).
    for (const Rounded& c :
         {sig(0, 5, 0.0), sig(123456.7, 5, 123456.0), sig(-123456.7, 5, -123457.0), sig(12345.6, 5, 12345.0),
          sig(1234.56, 5, 1234.6), sig(0.000123456, 4, 0.0001235), sig(-122.69385, 5, -122.69),
          sig(1.2000000476837158, 6, 1.2), sig(0.0099999997764825821, 6, 0.01), sig(0.25, 1, 0.2),
          sig(0.75, 1, 0.8), sig(1e-30, 5, 0.0), sig(1.23456e-17, 5, 1235 / 1e20),
          sig(infinity, 5, infinity)})
        EXPECT_EQ(siground(c.x, c.n), c.expected) << c.x << " " << c.n;
    EXPECT_TRUE(std::isnan(siground(notanumber, 5)));
}

TEST(IntegerConversions, RoundupHalfToEvenAndSaturation) {
    constexpr int32_t most = std::numeric_limits<int32_t>::max(), least = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(roundup(2.0), 2);
    EXPECT_EQ(roundup(2.1), 3);
    EXPECT_EQ(roundup(-2.5), -2);
    EXPECT_EQ(roundup(0), 0);
    EXPECT_EQ(roundup(1e300), most);
    EXPECT_EQ(roundup(-1e300), least);
    EXPECT_EQ(roundup(notanumber), 0);
    EXPECT_EQ(roundeven32(2.5), 2);
    EXPECT_EQ(roundeven32(3.5), 4);
    EXPECT_EQ(roundeven32(-2.5), -2);
    EXPECT_EQ(roundeven32(725.4), 725);
    EXPECT_EQ(roundeven16(40000), 32767);
    EXPECT_EQ(roundeven16(-40000), -32768);
    EXPECT_EQ(roundeven16(infinity), 32767);
    EXPECT_EQ(floor32(-0.5), -1);
    EXPECT_EQ(floor32(notanumber), 0);
}
