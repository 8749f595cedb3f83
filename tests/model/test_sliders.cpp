#include "factory.h"
#include "model/sliders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace kelvora;

namespace {
constexpr int32_t most = std::numeric_limits<int32_t>::max(), least = std::numeric_limits<int32_t>::min();
} // namespace

TEST(SliderMapping, Settings) {
    const ModelState s = factorystate();
    const struct {
        const char* label;
        parameter p;
        int32_t minimum, maximum, position, tickspacing;
    } cases[] = {
        {"pHo", s.params[pHo], 600, 800, 675, 10},
        {"ATPin", s.params[ATPin], 1, 1200, 601, 59}, // floor(1199 / 20)
        {"T", s.params[T], 20, 40, 23, 1},
        // 0.0099999998 / 0.0001 rounds to 100 steps above zero.
        {"ADPout", s.params[ADPout], 10, 20000, 19910, 999},
        // Made-up parameters {value, min, max, log, inc, tag}. A value above the maximum sits at the top end,
        // one below the minimum at the bottom.
        {"above", parameter{9.0f, 6, 8, 0, 0.01, {}}, 600, 800, 600, 10},
        {"below", parameter{5.0f, 6, 8, 0, 0.01, {}}, 600, 800, 800, 10},
        // Halves go to even: 60 - 36.5 = 23.5 gives 24, 60 - 37.5 = 22.5 gives 22; the ends 2.5 and 3.5 too.
        {"23.5", parameter{36.5f, 20, 40, 0, 1, {}}, 20, 40, 24, 1},
        {"22.5", parameter{37.5f, 20, 40, 0, 1, {}}, 20, 40, 22, 1},
        {"ends", parameter{3.0f, 2.5, 3.5, 0, 1, {}}, 2, 4, 3, 1},
        // A crossed range ends as the control leaves it: a maximum below the minimum pulls the minimum down.
        {"crossed", parameter{5.0f, 8, 6, 0, 1, {}}, 6, 6, 6, 1},
        // Huge ranges saturate without overflow; floor((2^32 - 1) / 20) ticks.
        {"huge", parameter{0.0f, -1e300, 1e300, 0, 1, {}}, least, most, -1, 214748364},
    };
    for (const auto& c : cases) {
        const SliderSettings sl = slidersettings(c.p);
        EXPECT_EQ(sl.minimum, c.minimum) << c.label;
        EXPECT_EQ(sl.maximum, c.maximum) << c.label;
        EXPECT_EQ(sl.position, c.position) << c.label;
        EXPECT_EQ(sl.tickspacing, c.tickspacing) << c.label;
        EXPECT_EQ(sl.smallstep, 1) << c.label;
    }
    // The maximum is raised by the new minimum first, saturating.
    EXPECT_EQ(raisedmaximum(800, s.params[pHo]), 1400);
    EXPECT_EQ(raisedmaximum(0, s.params[ATPin]), 1);
    EXPECT_EQ(raisedmaximum(most, parameter{0.0f, 1e12, 2e12, 0, 1, {}}), most);
}

TEST(SliderMapping, TopIsTheMaximumAndBottomTheMinimum) {
    EXPECT_EQ(slidervalue(600, 800, 600, 0.01), 8.0f);
    EXPECT_EQ(slidervalue(600, 800, 800, 0.01), 6.0f);
    EXPECT_EQ(slidervalue(600, 800, 675, 0.01), 7.25f);
    EXPECT_EQ(slidervalue(20, 40, 23, 1.0), 37.0f);
}

TEST(SliderQuantisation, ValuesMoveOntoTheirGrid) {
    ModelState s = factorystate();
    s.params[pHo].value = 7.254f; // 1400 - 725.4 = 674.6, position 675
    s.params[T].value = 36.6f;
    s.params[pHi].value = 5.0f; // outside the range: to the bottom end
    s.params[n].value = 9.0f;   // and to the top end
    // The bottom of the track stands for R(0.025 / 0.01) * 0.01 = 0.02, below the minimum 0.025.
    s.params[ATPout].min = 0.025;
    s.params[ATPout].value = 0.001f;
    quantisetosliders(s);
    EXPECT_EQ(s.params[pHo].value, 7.25f);
    EXPECT_EQ(s.params[T].value, 37.0f);
    EXPECT_EQ(s.params[pHi].value, 6.0f);
    EXPECT_EQ(s.params[n].value, 4.4f);
    EXPECT_EQ(s.params[ATPout].value, 0.025f);
    // The factory value 3.198 of KM(adp) is off its 0.01 grid too.
    EXPECT_EQ(s.params[KMadp].value, 3.2f);
    // Values already on the grid, and the ranges and steps, stay.
    const ModelState factory = factorystate();
    for (int i = 0; i <= lastindex; ++i) {
        if (i == pHo || i == T || i == pHi || i == n || i == ATPout || i == KMadp) continue;
        EXPECT_EQ(s.params[i].value, factory.params[i].value) << i;
        EXPECT_EQ(s.params[i].min, factory.params[i].min) << i;
        EXPECT_EQ(s.params[i].max, factory.params[i].max) << i;
        EXPECT_EQ(s.params[i].inc, factory.params[i].inc) << i;
    }
}
