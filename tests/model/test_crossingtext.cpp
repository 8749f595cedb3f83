// The crossing as the window states it: the numbers a sweep computes for the same state, read back
// exactly from the text, and the reasons in words where there is no point to give.
#include "factory.h"
#include "model/crossingtext.h"
#include "model/parsenumber.h"
#include "model/sweep.h"

#include <gtest/gtest.h>

using namespace kelvora;

TEST(CrossingText, GivesTheSweepsNumbersExactly) {
    for (const int axis : {int{ratioaxis}, int{ATPin}, int{ADPin}, int{ATPout}, int{ADPout}, int{Pin}}) {
        ModelState s = factorystate(static_cast<int16_t>(axis));
        // A sweep of pHo (on none of these axes) through its present value computes the same state.
        const SweepRow row = sweeprow(s, pHo, s.params[pHo].value);
        const std::string text = crossingtext(s, ',');
        const std::string prefix = "\xce\x94\xce\xa8m = ";
        ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
        const std::size_t mv = text.find(" mV, " + yaxistext(axis + 1) + " = ");
        ASSERT_NE(mv, std::string::npos) << text;
        EXPECT_EQ(parsenumber(text.substr(prefix.size(), mv - prefix.size())), row.potential) << text;
        EXPECT_EQ(parsenumber(text.substr(text.rfind(' ') + 1)), row.crossing) << text;
    }
}

TEST(CrossingText, SaysWhyThereIsNoPoint) {
    ModelState clamped = factorystate();
    clamped.params[pHo].value = 20.0f;
    clamped.params[ATPout].value = 0.01f;
    EXPECT_EQ(crossingtext(clamped, '.'), "no crossing (clamped at the ratio's floor)");
    EXPECT_FALSE(crossingposition(clamped));
    EXPECT_EQ(crossingtext(factorystate(Mg), '.'), "no closed-form crossing for Mg (mM)");
    EXPECT_FALSE(crossingposition(factorystate(Mg)));
}
