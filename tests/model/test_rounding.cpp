#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvora;

TEST(Siground, FloorsNumbersWithEnoughIntegerDigits) {
    EXPECT_EQ(siground(0, 5), 0.0);
    EXPECT_EQ(siground(123456.7, 5), 123456.0);
    EXPECT_EQ(siground(-123456.7, 5), -123457.0);
    EXPECT_EQ(siground(12345.6, 5), 12345.0);
}

TEST(Siground, RoundsToSignificantDigits) {
    EXPECT_EQ(siground(1234.56, 5), 1234.6);
    EXPECT_EQ(siground(0.000123456, 4), 0.0001235);
    EXPECT_EQ(siground(-122.69385, 5), -122.69);
    EXPECT_EQ(siground(1.2000000476837158, 6), 1.2);
    EXPECT_EQ(siground(0.0099999997764825821, 6), 0.01);
}

TEST(Siground, TiesGoToEven) {
    EXPECT_EQ(siground(0.25, 1), 0.2);
    EXPECT_EQ(siground(0.75, 1), 0.8);
}

TEST(Siground, ShiftIsCapped) {
    EXPECT_EQ(siground(1e-30, 5), 0.0);
    EXPECT_EQ(siground(1.23456e-17, 5), 1235 / 1e20); // 21 decimals wanted, 20 kept
}

TEST(Siground, NonFiniteInputPassesThrough) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(siground(inf, 5), inf);
    EXPECT_TRUE(std::isnan(siground(std::numeric_limits<double>::quiet_NaN(), 5)));
}

TEST(Roundup, SmallestWholeNumberNotBelow) {
    EXPECT_EQ(roundup(2.0), 2);
    EXPECT_EQ(roundup(2.1), 3);
    EXPECT_EQ(roundup(-2.5), -2);
    EXPECT_EQ(roundup(0), 0);
    EXPECT_EQ(roundup(1e300), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(roundup(-1e300), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(roundup(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(IntegerConversions, HalfToEvenAndSaturating) {
    EXPECT_EQ(roundeven32(2.5), 2);
    EXPECT_EQ(roundeven32(3.5), 4);
    EXPECT_EQ(roundeven32(-2.5), -2);
    EXPECT_EQ(roundeven32(725.4), 725);
    EXPECT_EQ(roundeven16(40000), 32767);
    EXPECT_EQ(roundeven16(-40000), -32768);
    EXPECT_EQ(roundeven16(std::numeric_limits<double>::infinity()), 32767);
    EXPECT_EQ(floor32(-0.5), -1);
    EXPECT_EQ(floor32(std::numeric_limits<double>::quiet_NaN()), 0);
}
