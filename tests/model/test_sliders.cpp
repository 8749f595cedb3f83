#include "factory.h"
#include "model/sliders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace kelvora;

namespace {

parameter makeparameter(float value, double min, double max, double inc) {
    parameter p;
    p.value = value;
    p.min = min;
    p.max = max;
    p.inc = inc;
    return p;
}

} // namespace

TEST(SliderMapping, FactoryFigures) {
    const ModelState s = factorystate();

    const SliderSettings pho = slidersettings(s.params[pHo]);
    EXPECT_EQ(pho.minimum, 600);
    EXPECT_EQ(pho.maximum, 800);
    EXPECT_EQ(pho.position, 675);
    EXPECT_EQ(pho.tickspacing, 10);
    EXPECT_EQ(pho.smallstep, 1);

    const SliderSettings atpin = slidersettings(s.params[ATPin]);
    EXPECT_EQ(atpin.minimum, 1);
    EXPECT_EQ(atpin.maximum, 1200);
    EXPECT_EQ(atpin.position, 601);
    EXPECT_EQ(atpin.tickspacing, 59); // floor(1199 / 20)

    const SliderSettings t = slidersettings(s.params[T]);
    EXPECT_EQ(t.minimum, 20);
    EXPECT_EQ(t.maximum, 40);
    EXPECT_EQ(t.position, 23);
    EXPECT_EQ(t.tickspacing, 1);

    // 0.0099999998 / 0.0001 rounds to 100 steps above zero.
    const SliderSettings adpout = slidersettings(s.params[ADPout]);
    EXPECT_EQ(adpout.minimum, 10);
    EXPECT_EQ(adpout.maximum, 20000);
    EXPECT_EQ(adpout.position, 19910);
}

TEST(SliderMapping, TopIsTheMaximumAndBottomTheMinimum) {
    EXPECT_EQ(slidervalue(600, 800, 600, 0.01), 8.0f);
    EXPECT_EQ(slidervalue(600, 800, 800, 0.01), 6.0f);
    EXPECT_EQ(slidervalue(600, 800, 675, 0.01), 7.25f);
    EXPECT_EQ(slidervalue(20, 40, 23, 1.0), 37.0f);
}

TEST(SliderMapping, ValuesOutsideTheRangeSitAtTheEnds) {
    const parameter above = makeparameter(9.0f, 6, 8, 0.01);
    EXPECT_EQ(slidersettings(above).position, 600); // top of the track
    const parameter below = makeparameter(5.0f, 6, 8, 0.01);
    EXPECT_EQ(slidersettings(below).position, 800); // bottom
}

TEST(SliderMapping, PositionRoundsHalfToEven) {
    // 20 + 40 - 36.5 = 23.5 goes to 24; 20 + 40 - 37.5 = 22.5 goes to 22.
    EXPECT_EQ(slidersettings(makeparameter(36.5f, 20, 40, 1)).position, 24);
    EXPECT_EQ(slidersettings(makeparameter(37.5f, 20, 40, 1)).position, 22);
    // The ends too: 2.5 steps gives 2, 3.5 gives 4.
    const SliderSettings sl = slidersettings(makeparameter(3.0f, 2.5, 3.5, 1));
    EXPECT_EQ(sl.minimum, 2);
    EXPECT_EQ(sl.maximum, 4);
}

TEST(SliderMapping, CrossedRangeEndsAsTheControlLeavesIt) {
    // Setting a maximum below the minimum pulls the minimum down to it.
    const SliderSettings sl = slidersettings(makeparameter(5.0f, 8, 6, 1));
    EXPECT_EQ(sl.minimum, 6);
    EXPECT_EQ(sl.maximum, 6);
    EXPECT_EQ(sl.position, 6);
    EXPECT_EQ(sl.tickspacing, 1);
}

TEST(SliderMapping, HugeRangesSaturateWithoutOverflow) {
    const SliderSettings sl = slidersettings(makeparameter(0.0f, -1e300, 1e300, 1));
    EXPECT_EQ(sl.minimum, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(sl.maximum, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(sl.tickspacing, 214748364); // floor((2^32 - 1) / 20)
    EXPECT_EQ(raisedmaximum(std::numeric_limits<int32_t>::max(), makeparameter(0.0f, 1e12, 2e12, 1)),
              std::numeric_limits<int32_t>::max());
}

TEST(SliderMapping, MaximumIsRaisedByTheNewMinimumFirst) {
    const ModelState s = factorystate();
    EXPECT_EQ(raisedmaximum(800, s.params[pHo]), 1400);
    EXPECT_EQ(raisedmaximum(0, s.params[ATPin]), 1);
}

TEST(SliderQuantisation, ValuesMoveOntoTheirGrid) {
    ModelState s = factorystate();
    s.params[pHo].value = 7.254f; // 1400 - 725.4 = 674.6, position 675
    s.params[T].value = 36.6f;
    quantisetosliders(s);
    EXPECT_EQ(s.params[pHo].value, 7.25f);
    EXPECT_EQ(s.params[T].value, 37.0f);
    // The factory value 3.198 of KM(adp) is off its 0.01 grid too.
    EXPECT_EQ(s.params[KMadp].value, 3.2f);
    // Values already on the grid, and the ranges and steps, stay.
    const ModelState factory = factorystate();
    for (int i = 0; i <= lastindex; ++i) {
        if (i == pHo || i == T || i == KMadp) continue;
        EXPECT_EQ(s.params[i].value, factory.params[i].value) << i;
        EXPECT_EQ(s.params[i].min, factory.params[i].min) << i;
        EXPECT_EQ(s.params[i].max, factory.params[i].max) << i;
        EXPECT_EQ(s.params[i].inc, factory.params[i].inc) << i;
    }
}

TEST(SliderQuantisation, ValueBelowTheMinimumTakesTheMinimum) {
    ModelState s = factorystate();
    // The bottom of the track stands for R(0.025 / 0.01) * 0.01 = 0.02, below the minimum 0.025.
    s.params[ATPout].min = 0.025;
    s.params[ATPout].value = 0.001f;
    quantisetosliders(s);
    EXPECT_EQ(s.params[ATPout].value, 0.025f);
}

TEST(SliderQuantisation, ValuesOutsideTheRangeMoveToTheEnd) {
    ModelState s = factorystate();
    s.params[pHo].value = 9.0f;
    s.params[pHi].value = 5.0f;
    quantisetosliders(s);
    EXPECT_EQ(s.params[pHo].value, 8.0f);
    EXPECT_EQ(s.params[pHi].value, 6.0f);
}
