// Typed values and ranges, with the red marks they earn, and the mapping between values and slider integers.
#include "factory.h"
#include "model/entry.h"
#include "model/sliders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

using namespace kelvora;

namespace {
// The red boxes as letters: v(alue), n (minimum), x (maximum).
std::string red(RedMarks r) {
    return std::string(r.value ? "v" : "") + (r.min ? "n" : "") + (r.max ? "x" : "");
}
} // namespace

TEST(Entry, TypedValueMinimumAndMaximum) {
    enum Box { value, minimum, maximum };
    const std::tuple<Box, int, const char*, const char*, float, double, double, double> cases[] = {
        // A value inside the limits widens the range; one outside is corrected. No number reads as 0.
        {value, pHo, "9", "", 9.0f, 6, 9, 0.01},
        {value, pHo, "25", "v", 20.0f, 6, 20, 0.01},
        {value, pHo, "abc", "v", 0.01f, 0.01, 8, 0.01},
        // Below the minimum: R(555.7) * 0.01 = 5.56 lies above the value, so one step lower.
        {value, pHo, "5.557", "", 5.557f, 5.55, 8, 0.01},
        {value, Pin, "3000", "", 3000.0f, 0.1, 3000, 0.1}, // 30000 steps: 10^(4 - 5)
        {minimum, pHo, "8.5", "x", 8.5f, 8.5, 8.51, 0.01},
        {minimum, pHo, "6.123", "", 7.25f, 6.12, 8, 0.01},
        {minimum, pHo, "25", "nx", 19.99f, 19.99, 20, 0.01},
        {maximum, pHo, "30", "x", 7.25f, 6, 20, 0.01},
        {maximum, pHo, "0.005", "nx", 0.02f, 0.01, 0.02, 0.01},
        // A wide range coarsens the step; a minimum re-gridded below the lowest allowed becomes the step.
        {maximum, ATPin, "5000", "", 6.0f, 0.1, 5000, 0.1},
        {maximum, ATPin, "1000", "", 6.0f, 0.01, 1000, 0.01}, // max / inc exactly 100 000
    };
    for (const auto& [box, index, text, marks, value, min, max, inc] : cases) {
        SCOPED_TRACE(testing::Message() << box << " " << index << " [" << text << "]");
        ModelState s = factorystate();
        const RedMarks r = box == Box::value     ? entervalue(s, index, text)
                           : box == Box::minimum ? enterminimum(s, index, text)
                                                 : entermaximum(s, index, text);
        EXPECT_EQ(red(r), marks);
        EXPECT_EQ(s.params[index].value, value);
        EXPECT_DOUBLE_EQ(s.params[index].min, min);
        EXPECT_DOUBLE_EQ(s.params[index].max, max);
        EXPECT_EQ(s.params[index].inc, inc);
    }
}

TEST(Sliders, MappingAndQuantisation) {
    const ModelState factory = factorystate();
    const std::tuple<const char*, parameter, int32_t, int32_t, int32_t, int32_t> sliders[] = {
        {"pHo", factory.params[pHo], 600, 800, 675, 10},
        {"ATPin", factory.params[ATPin], 1, 1200, 601, 59}, // floor(1199 / 20)
        {"T", factory.params[T], 20, 40, 23, 1},
        {"ADPout", factory.params[ADPout], 10, 20000, 19910, 999}, // 0.0099999998 / 0.0001 rounds to 100
        // Made-up {value, min, max, log, inc, tag}: beyond the ends the position sits at the end; a crossed
        // range ends as the control leaves it; huge ranges saturate, floor((2^32 - 1) / 20) ticks.
        {"below", parameter{5.0f, 6, 8, 0.01}, 600, 800, 800, 10},
        {"crossed", parameter{5.0f, 8, 6, 1}, 6, 6, 6, 1},
        {"huge", parameter{0.0f, -1e300, 1e300, 1}, INT32_MIN, INT32_MAX, -1, 214748364},
    };
    for (const auto& [label, p, minimum, maximum, position, tickspacing] : sliders) {
        const SliderSettings sl = slidersettings(p);
        EXPECT_EQ(std::tuple(sl.minimum, sl.maximum, sl.position, sl.tickspacing, sl.smallstep),
                  std::tuple(minimum, maximum, position, tickspacing, 1))
            << label;
    }
    // The maximum is raised by the new minimum first, saturating; the top of the track is the maximum.
    EXPECT_EQ(raisedmaximum(800, factory.params[pHo]), 1400);
    EXPECT_EQ(raisedmaximum(INT32_MAX, parameter{0.0f, 1e12, 2e12, 1}), INT32_MAX);
    EXPECT_EQ(std::tuple(slidervalue(600, 800, 600, 0.01), slidervalue(600, 800, 675, 0.01)),
              std::tuple(8.0f, 7.25f));
    EXPECT_EQ(slidervalue(20, 40, 23, 1.0), 37.0f);
    // Quantisation: 1400 - 725.4 = 674.6, position 675; outside the range to the ends; the factory 3.198 of
    // KM(adp) is off its grid too; the bottom of the track stands for 0.02, below the minimum 0.025.
    const std::tuple<int, float, float> quantised[] = {{pHo, 7.254f, 7.25f},     {T, 36.6f, 37.0f},
                                                       {pHi, 5.0f, 6.0f},        {n, 9.0f, 4.4f},
                                                       {ATPout, 0.001f, 0.025f}, {KMadp, 3.198f, 3.2f}};
    ModelState s = factory;
    for (const auto& [index, before, after] : quantised)
        s.params[index].value = before;
    s.params[ATPout].min = 0.025;
    quantisetosliders(s);
    for (const auto& [index, before, after] : quantised)
        EXPECT_EQ(s.params[index].value, after) << index;
}
