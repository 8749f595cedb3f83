// The tick rule: step search, candidate values and label texts.
#include "plot/ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kelvora {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(TickStep, DefaultLimits) {
    EXPECT_EQ(tickstep(-80.0 - -160.0), 20.0);
    EXPECT_EQ(tickstep(3.0 - 0.0), 0.5);
}

TEST(TickStep, ScaledRangeBoundariesPickOneTwoFive) {
    EXPECT_EQ(tickstep(4.0), 1.0);
    EXPECT_EQ(tickstep(7.9), 1.0);
    EXPECT_EQ(tickstep(8.0), 2.0);
    EXPECT_EQ(tickstep(14.9), 2.0);
    EXPECT_EQ(tickstep(15.0), 5.0);
    EXPECT_EQ(tickstep(40.0), 5.0);  // exactly 40 is not divided
    EXPECT_EQ(tickstep(41.0), 10.0); // 4.1 after one division
    EXPECT_EQ(tickstep(400.0), 50.0);
    EXPECT_DOUBLE_EQ(*tickstep(0.4), 0.1);
}

TEST(TickStep, UnusableRangesGiveNoStepInsteadOfLoopingForever) {
    EXPECT_FALSE(tickstep(0.0));
    EXPECT_FALSE(tickstep(-1.0));
    EXPECT_FALSE(tickstep(nan));
    EXPECT_FALSE(tickstep(inf));
    EXPECT_FALSE(tickstep(-inf));
}

TEST(TickStep, ExtremeButValidRangesEnd) {
    for (double range : {std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                         std::numeric_limits<double>::min(), 1e-300, 1e300}) {
        const auto step = tickstep(range);
        if (step) {
            EXPECT_GT(*step, 0.0) << range;
            EXPECT_TRUE(std::isfinite(*step)) << range;
        }
    }
    EXPECT_TRUE(tickstep(1e-300));
    EXPECT_TRUE(tickstep(1e300));
}

TEST(TickValues, DefaultLimitsIncludeBothEnds) {
    EXPECT_EQ(tickvalues(-160, -80, 20), (std::vector<double>{-160, -140, -120, -100, -80}));
    EXPECT_EQ(tickvalues(0, 3, 0.5), (std::vector<double>{0, 0.5, 1, 1.5, 2, 2.5, 3}));
}

TEST(TickValues, OnlyValuesInsideTheVisibleRange) {
    EXPECT_EQ(tickvalues(-159, -81, 20), (std::vector<double>{-140, -120, -100}));
    EXPECT_EQ(tickvalues(0.25, 0.75, 0.5), (std::vector<double>{0.5}));
}

TEST(TickValues, UnusableInputGivesNoTicks) {
    EXPECT_TRUE(tickvalues(nan, 3, 0.5).empty());
    EXPECT_TRUE(tickvalues(0, inf, 0.5).empty());
    EXPECT_TRUE(tickvalues(0, 3, 0.0).empty());
    EXPECT_TRUE(tickvalues(0, 3, -0.5).empty());
    EXPECT_TRUE(tickvalues(0, 3, nan).empty());
    // Candidate indices beyond the 64-bit range, and more candidates than an axis can hold.
    EXPECT_TRUE(tickvalues(-1e300, 1e300, 1e-10).empty());
    EXPECT_TRUE(tickvalues(0, 1e6, 1).empty());
}

TEST(TickLabels, YKeepsBareSeparator) {
    EXPECT_EQ(yticklabel(0, '.'), "0.");
    EXPECT_EQ(yticklabel(2, '.'), "2.");
    EXPECT_EQ(yticklabel(0.5, '.'), "0.5");
    EXPECT_EQ(yticklabel(2.5, ','), "2,5");
}

TEST(TickLabels, FiveDecimalRoundingHidesBinaryNoise) {
    EXPECT_EQ(yticklabel(3 * 0.1, '.'), "0.3"); // 0.30000000000000004
    EXPECT_EQ(xticklabel(3 * 0.1, '.'), "0.3 mV");
}

TEST(TickLabels, RoundingThresholdsDifferPerAxis) {
    // y values at or below 0.001 are not rounded to five decimals; x values are, once |v| > 0.0001.
    EXPECT_EQ(yticklabel(0.000123456789, '.'), "0.0001235");
    EXPECT_EQ(xticklabel(0.000123456789, '.'), "0.00012 mV");
    EXPECT_EQ(yticklabel(0.00123456789, '.'), "0.00123");
    EXPECT_EQ(xticklabel(-0.000123456789, '.'), "-0.00012 mV");
    EXPECT_EQ(xticklabel(0.0000123456789, '.'), "0.0000123 mV");
}

TEST(TickLabels, XDropsSeparatorAndAddsUnit) {
    EXPECT_EQ(xticklabel(-160, '.'), "-160 mV");
    EXPECT_EQ(xticklabel(-80, ','), "-80 mV");
    EXPECT_EQ(xticklabel(2.5, ','), "2,5 mV");
    EXPECT_EQ(xticklabel(0, '.'), "0 mV");
}

} // namespace
} // namespace kelvora
