// The crossing point swept over one parameter: each crossing where the two potentials meet, the swept
// values, the lines as written, and which sweeps are refused. A crossing beyond the double range is
// checked with the frame it leaves alone. And the crossing as the window states it: the numbers a sweep
// computes for the same state, in texts that read back exactly, and the reasons in words where there is no
// point to give.
#include "factory.h"
#include "model/crossingtext.h"
#include "model/limittext.h"
#include "model/potentials.h"
#include "model/sweep.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace kelvora;

TEST(Sweep, BothPotentialsMeetAtEveryCrossing) {
    // y axis, swept parameter, from, to, steps.
    const std::tuple<int16_t, int, double, double, long long> cases[] = {
        {ratioaxis, pHo, 6, 8, 4}, {ATPin, Mg, 0, 2, 2},        {ADPin, T, 40, 20, 2},
        {ATPout, n, 2.8, 4.4, 3},  {ADPout, KHatpin, 4, 10, 3}, {Pin, KMadp, 2.5, 4.1, 2},
    };
    for (const auto& [axis, param, from, to, steps] : cases) {
        ModelState s = factorystate(axis);
        ASSERT_EQ(sweepblock(s, param), SweepBlock::none);
        for (long long i = 0; i <= steps; ++i) {
            const float value = sweepvalue(from, to, i, steps);
            const SweepRow row = sweeprow(s, param, value);
            ASSERT_EQ(s.params[param].value, value);
            const std::string where = yaxistext(axis + 1) + " at " + std::to_string(value);
            EXPECT_FALSE(row.clamped) << where;
            // Parameter axes store y in single precision, which bounds how well the two agree there.
            EXPECT_NEAR(erevant(s, row.crossing), row.potential, 1e-4) << where;
            EXPECT_NEAR(erevatpase(s, row.crossing), row.potential, 1e-4) << where;
        }
        // The ends are the values given, exactly as the window would store them.
        EXPECT_EQ(sweepvalue(from, to, 0, steps), static_cast<float>(from));
        EXPECT_EQ(sweepvalue(from, to, steps, steps), static_cast<float>(to));
    }
}

TEST(Sweep, LinesAndTheClampedCrossing) {
    std::string text = sweepheader(factorystate(), pHo);
    appendsweepline(text, {7.5f, 0.25, -120.5, false}, SeparatorChoice::comma, '.');
    EXPECT_EQ(text, "pHo\tcrossing ATPin/ADPin\tErevANT = ErevATPase (mV)\r\n7,5\t0,25\t-120,5\r\n");
    EXPECT_EQ(sweepheader(factorystate(ATPin), Mg),
              "Mg (mM)\tcrossing ATPin (mM)\tErevANT = ErevATPase (mV)\r\n");

    // With pHo at its highest allowed value the crossing ratio falls below its floor as ATPout drops.
    ModelState s = factorystate();
    s.params[pHo].value = 20.0f;
    EXPECT_FALSE(sweeprow(s, ATPout, 1.2f).clamped);
    const SweepRow floor = sweeprow(s, ATPout, 0.01f);
    EXPECT_TRUE(floor.clamped);
    EXPECT_EQ(floor.crossing, 1e-10);
    text.clear();
    appendsweepline(text, floor, SeparatorChoice::point, ',');
    EXPECT_EQ(text, "0.01\t0.0000000001\t\tclamped\r\n");
}

TEST(Sweep, NamesAndRefusedSweeps) {
    const std::pair<const char*, int> names[] = {
        {"pho", pHo}, {"KM(ADP)IN", KMadpin}, {"km(adp)", KMadp}, {"ph", -1}, {"KM(adp)in ", -1}};
    for (const auto& [name, index] : names)
        EXPECT_EQ(parameterbyname(name), index) << name;
    const std::tuple<int16_t, int, SweepBlock> cases[] = {
        {ratioaxis, ADPin, SweepBlock::onyaxis}, {ratioaxis, ATPout, SweepBlock::none},
        {ATPin, ADPin, SweepBlock::none},        {Pin, Pin, SweepBlock::onyaxis},
        {pHo, Mg, SweepBlock::noclosedform},
    };
    for (const auto& [axis, param, block] : cases)
        EXPECT_EQ(sweepblock(factorystate(axis), param), block) << axis << " " << param;
}

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
