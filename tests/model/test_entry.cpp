#include "factory.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace kelvora;

namespace kelvora {
void PrintTo(const RedMarks& r, std::ostream* os) {
    *os << "{value " << r.value << ", min " << r.min << ", max " << r.max << "}";
}
} // namespace kelvora

namespace {
constexpr RedMarks nored{}, redvalue{true, false, false}, redmin{false, true, false},
    redmax{false, false, true}, redrange{false, true, true};
} // namespace

TEST(StepRule, BaseStepUpToTenThousandStepsThenAPowerOfTen) {
    // ln 1000 / ln 10 is 3 or just below; both round up to 3.
    const struct {
        double max, basestep, expected;
    } cases[] = {{100, 0.01, 0.01}, {8, 0.01, 0.01},      {-5, 0.01, 0.01},     {5000, 0.01, 0.1},
                 {3000, 0.1, 0.1},  {10000, 0.0001, 0.1}, {100.5, 0.001, 0.01}, {1000, 0.01, 0.01}};
    for (const auto& c : cases)
        EXPECT_EQ(steprule(c.max, c.basestep), c.expected) << c.max << " " << c.basestep;
}

TEST(Entry, TypedValueMinimumAndMaximum) {
    enum Box { value, minimum, maximum };
    const struct {
        Box box;
        int index;
        const char* text;
        RedMarks red;
        float value;
        double min, max, inc;
    } cases[] = {
        // A value inside the limits widens the range; one outside is corrected. No number reads as 0.
        {value, pHo, "9", nored, 9.0f, 6, 9, 0.01},
        {value, pHo, "25", redvalue, 20.0f, 6, 20, 0.01},
        {value, pHo, "abc", redvalue, 0.01f, 0.01, 8, 0.01},
        {value, pHo, "7,254", nored, 7.254f, 6, 8, 0.01}, // a typed value stays exact
        // Below the minimum: R(555.7) * 0.01 = 5.56 lies above the value, so one step lower; 5.552 needs
        // none.
        {value, pHo, "5.557", nored, 5.557f, 5.55, 8, 0.01},
        {value, pHi, "5.552", nored, 5.552f, 5.55, 8, 0.01},
        {value, Pin, "3000", nored, 3000.0f, 0.1, 3000, 0.1}, // 30000 steps: 10^(4 - 5)
        {minimum, pHo, "8.5", redmax, 8.5f, 8.5, 8.51, 0.01},
        {minimum, pHo, "6.123", nored, 7.25f, 6.12, 8, 0.01},
        {minimum, pHo, "25", redrange, 19.99f, 19.99, 20, 0.01},
        {minimum, pHo, "-3", redmin, 7.25f, 0.01, 8, 0.01},
        {maximum, pHo, "30", redmax, 7.25f, 6, 20, 0.01},
        {maximum, pHo, "0.005", redrange, 0.02f, 0.01, 0.02, 0.01},
        {maximum, pHo, "5", redmin, 5.0f, 4.99, 5, 0.01},
        // A wide range coarsens the step; the minimum 0.01 re-gridded to 0 lies below the lowest allowed
        // minimum, so the step takes its place.
        {maximum, ATPin, "5000", nored, 6.0f, 0.1, 5000, 0.1},
        {maximum, ATPin, "1000", nored, 6.0f, 0.01, 1000, 0.01}, // max / inc exactly 100 000
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.box << " " << c.index << " [" << c.text << "]");
        ModelState s = factorystate();
        const RedMarks red = c.box == value     ? applyvalue(s, c.index, 1, c.text)
                             : c.box == minimum ? applyminimum(s, c.index, c.text)
                                                : applymaximum(s, c.index, c.text);
        EXPECT_EQ(red, c.red);
        EXPECT_EQ(s.params[c.index].value, c.value);
        EXPECT_DOUBLE_EQ(s.params[c.index].min, c.min);
        EXPECT_DOUBLE_EQ(s.params[c.index].max, c.max);
        EXPECT_EQ(s.params[c.index].inc, c.inc);
    }
}

TEST(Entry, StoredValueIsCheckedWithoutText) {
    ModelState s = factorystate();
    s.params[T].value = 2000.0f;
    EXPECT_EQ(applyvalue(s, T, 0), redvalue);
    EXPECT_EQ(s.params[T].value, 1000.0f);
    EXPECT_DOUBLE_EQ(s.params[T].max, 1000.0);
}

TEST(Entry, RangeEntryQuantisesEveryValue) {
    ModelState s = factorystate();
    ASSERT_EQ(applyvalue(s, pHi, 1, "7.384"), nored);
    EXPECT_EQ(s.params[pHi].value, 7.384f);
    applyminimum(s, pHo, "6.5");
    EXPECT_EQ(s.params[pHi].value, 7.38f);

    ASSERT_EQ(applyvalue(s, T, 1, "36.6"), nored);
    applymaximum(s, pHo, "7.9");
    EXPECT_EQ(s.params[T].value, 37.0f);
}
