#include "factory.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace kelvora;

namespace {

constexpr RedMarks nored{};
constexpr RedMarks redvalue{true, false, false};
constexpr RedMarks redmin{false, true, false};
constexpr RedMarks redmax{false, false, true};
constexpr RedMarks redrange{false, true, true};

} // namespace

namespace kelvora {
void PrintTo(const RedMarks& r, std::ostream* os) {
    *os << "{value " << r.value << ", min " << r.min << ", max " << r.max << "}";
}
} // namespace kelvora

TEST(StepRule, BaseStepUpToTenThousandSteps) {
    EXPECT_EQ(steprule(100, 0.01), 0.01);
    EXPECT_EQ(steprule(8, 0.01), 0.01);
    EXPECT_EQ(steprule(-5, 0.01), 0.01);
    // Beyond that a power of ten leaving 10^4 to 10^5 steps.
    EXPECT_DOUBLE_EQ(steprule(5000, 0.01), 0.1);
    EXPECT_DOUBLE_EQ(steprule(3000, 0.1), 0.1);
    EXPECT_DOUBLE_EQ(steprule(10000, 0.0001), 0.1);
    EXPECT_DOUBLE_EQ(steprule(100.5, 0.001), 0.01);
    // ln 1000 / ln 10 is 3 or just below; both round up to 3.
    EXPECT_DOUBLE_EQ(steprule(1000, 0.01), 0.01);
}

TEST(ApplyValue, ValueWithinTheLimitsWidensTheRange) {
    ModelState s = factorystate();
    EXPECT_EQ(applyvalue(s, pHo, 1, "9"), nored);
    EXPECT_EQ(s.params[pHo].value, 9.0f);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 9.0);
    EXPECT_EQ(s.params[pHo].min, 6.0);
    EXPECT_EQ(s.params[pHo].inc, 0.01);
}

TEST(ApplyValue, ValueAboveTheUpperLimitIsCorrected) {
    ModelState s = factorystate();
    EXPECT_EQ(applyvalue(s, pHo, 1, "25"), redvalue);
    EXPECT_EQ(s.params[pHo].value, 20.0f);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 20.0);
}

TEST(ApplyValue, TextWithoutNumberReadsAsZero) {
    ModelState s = factorystate();
    EXPECT_EQ(applyvalue(s, pHo, 1, "abc"), redvalue);
    EXPECT_EQ(s.params[pHo].value, 0.01f);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 0.01);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 8.0);
}

TEST(ApplyValue, CommaOrPointAndNoQuantisation) {
    ModelState s = factorystate();
    EXPECT_EQ(applyvalue(s, pHo, 1, "7,254"), nored);
    EXPECT_EQ(s.params[pHo].value, 7.254f); // a typed value stays exact
    EXPECT_EQ(applyvalue(s, pHi, 1, " 7.4 "), nored);
    EXPECT_EQ(s.params[pHi].value, 7.4f);
}

TEST(ApplyValue, ValueBelowTheMinimumLowersItOntoTheGrid) {
    ModelState s = factorystate();
    EXPECT_EQ(applyvalue(s, pHo, 1, "5.557"), nored);
    EXPECT_EQ(s.params[pHo].value, 5.557f);
    // R(555.7) * 0.01 = 5.56 would lie above the value, so one step lower.
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 5.55);
    EXPECT_EQ(applyvalue(s, pHi, 1, "5.552"), nored);
    EXPECT_DOUBLE_EQ(s.params[pHi].min, 5.55);
}

TEST(ApplyValue, LargeValueCoarsensTheStep) {
    ModelState s = factorystate();
    EXPECT_EQ(applyvalue(s, Pin, 1, "3000"), nored);
    EXPECT_EQ(s.params[Pin].value, 3000.0f);
    EXPECT_DOUBLE_EQ(s.params[Pin].max, 3000.0);
    EXPECT_DOUBLE_EQ(s.params[Pin].inc, 0.1); // 30000 steps: 10^(4 - 5)
}

TEST(ApplyValue, StoredValueIsCheckedWithoutText) {
    ModelState s = factorystate();
    s.params[T].value = 2000.0f;
    EXPECT_EQ(applyvalue(s, T, 0), redvalue);
    EXPECT_EQ(s.params[T].value, 1000.0f);
    EXPECT_DOUBLE_EQ(s.params[T].max, 1000.0);

    ModelState clean = factorystate();
    for (int i = 0; i <= lastindex; ++i)
        EXPECT_EQ(applyvalue(clean, i, 0), nored) << i;
    const ModelState factory = factorystate();
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(clean.params[i].value, factory.params[i].value) << i;
        EXPECT_DOUBLE_EQ(clean.params[i].min, factory.params[i].min) << i;
        EXPECT_DOUBLE_EQ(clean.params[i].max, factory.params[i].max) << i;
        EXPECT_EQ(clean.params[i].inc, factory.params[i].inc) << i;
    }
}

TEST(ApplyMinimum, MinimumAboveTheMaximumPushesIt) {
    ModelState s = factorystate();
    EXPECT_EQ(applyminimum(s, pHo, "8.5"), redmax);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 8.5);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 8.51);
    EXPECT_EQ(s.params[pHo].value, 8.5f);
}

TEST(ApplyMinimum, MinimumMovesOntoTheBaseGrid) {
    ModelState s = factorystate();
    EXPECT_EQ(applyminimum(s, pHo, "6.123"), nored);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 6.12);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 8.0);
    EXPECT_EQ(s.params[pHo].value, 7.25f);
}

TEST(ApplyMinimum, MinimumAboveTheUpperLimit) {
    ModelState s = factorystate();
    EXPECT_EQ(applyminimum(s, pHo, "25"), redrange);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 19.99);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 20.0);
    EXPECT_EQ(s.params[pHo].value, 19.99f);
}

TEST(ApplyMinimum, MinimumBelowTheLowerLimit) {
    ModelState s = factorystate();
    EXPECT_EQ(applyminimum(s, pHo, "-3"), redmin);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 0.01);
    EXPECT_EQ(s.params[pHo].value, 7.25f);
}

TEST(ApplyMaximum, MaximumAboveTheUpperLimit) {
    ModelState s = factorystate();
    EXPECT_EQ(applymaximum(s, pHo, "30"), redmax);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 20.0);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 6.0);
    EXPECT_EQ(s.params[pHo].value, 7.25f);
}

TEST(ApplyMaximum, MaximumBelowTheLowestRange) {
    ModelState s = factorystate();
    EXPECT_EQ(applymaximum(s, pHo, "0.005"), redrange);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 0.02);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 0.01);
    EXPECT_EQ(s.params[pHo].value, 0.02f);
}

TEST(ApplyMaximum, WideRangeCoarsensTheStepAndKeepsTheMinimumAboveZero) {
    ModelState s = factorystate();
    EXPECT_EQ(applymaximum(s, ATPin, "5000"), nored);
    EXPECT_DOUBLE_EQ(s.params[ATPin].inc, 0.1);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max, 5000.0);
    // 0.01 re-gridded to 0 lies below the lowest allowed minimum; the step takes its place.
    EXPECT_DOUBLE_EQ(s.params[ATPin].min, 0.1);
    EXPECT_EQ(s.params[ATPin].value, 6.0f);
}

TEST(ApplyMaximum, ExactlyOneThousand) {
    ModelState s = factorystate();
    EXPECT_EQ(applymaximum(s, ATPin, "1000"), nored);
    EXPECT_DOUBLE_EQ(s.params[ATPin].inc, 0.01);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max / s.params[ATPin].inc, 100000.0);
}

TEST(ApplyMaximum, MaximumBelowTheMinimumPullsItDown) {
    ModelState s = factorystate();
    EXPECT_EQ(applymaximum(s, pHo, "5"), redmin);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 5.0);
    EXPECT_DOUBLE_EQ(s.params[pHo].min, 4.99);
    EXPECT_EQ(s.params[pHo].value, 5.0f);
}

TEST(RangeEntry, EveryValueIsQuantisedAfterwards) {
    ModelState s = factorystate();
    ASSERT_EQ(applyvalue(s, pHi, 1, "7.384"), nored);
    EXPECT_EQ(s.params[pHi].value, 7.384f);
    applyminimum(s, pHo, "6.5");
    EXPECT_EQ(s.params[pHi].value, 7.38f);

    ASSERT_EQ(applyvalue(s, T, 1, "36.6"), nored);
    applymaximum(s, pHo, "7.9");
    EXPECT_EQ(s.params[T].value, 37.0f);
}
