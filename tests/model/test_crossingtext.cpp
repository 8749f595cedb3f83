// The crossing as the window states it: the numbers a sweep computes for the same state, in texts that
// read back exactly, and the reasons in words where there is no point to give.
#include "factory.h"
#include "model/crossingtext.h"
#include "model/limittext.h"
#include "model/sweep.h"

#include <gtest/gtest.h>

using namespace kelvora;

TEST(CrossingText, GivesTheSweepsNumbersExactly) {
    for (const int axis : {int{ratioaxis}, int{ATPin}, int{ADPin}, int{ATPout}, int{ADPout}, int{Pin}}) {
        ModelState s = factorystate(static_cast<int16_t>(axis));
        // A sweep of pHo (on none of these axes) through its present value computes the same state.
        const SweepRow row = sweeprow(s, pHo, s.params[pHo].value);
        // limittext reads back exactly: the window's numbers are the sweep's.
        EXPECT_EQ(crossingtext(s, ','), "\xce\x94\xce\xa8m = " + limittext(row.potential, ',') + " mV, " +
                                            yaxistext(axis + 1) + " = " + limittext(row.crossing, ','));
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
