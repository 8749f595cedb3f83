// The parameter table, both reversal potentials, their crossing point and the automatic axis ranges, against
// the reference figures.
#include "factory.h"
#include "model/crossing.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

using namespace kelvora;

// The defaults, ranges and steps are compared in full with the first-start configuration text.
TEST(ParameterTable, LimitsAndYAxisTexts) {
    const ModelState s = factorystate();
    EXPECT_EQ(static_cast<double>(s.params[ATPout].value), 1.2000000476837158); // single precision
    // The lowest minimum is the step for the first sixteen, 0 for the rest; index 20 is never filled.
    for (int i = 0; i <= lastindex; ++i)
        EXPECT_EQ(s.limits[i].min, i <= KHatpout ? s.defaults[i].inc : 0.0) << i;
    EXPECT_TRUE(s.limits[pHo].max == 20 && s.limits[T].max == 1000 && s.limits[KMatp].max == 10 &&
                s.limits[n].max == 10000 && s.limits[ADPout].min == 0.0001);
    EXPECT_TRUE(s.params[20].tag.empty() && s.params[20].value == 0 && s.defaults[20].tag.empty());
    // Narrowing to single precision saturates instead of overflowing.
    EXPECT_TRUE(tosingle(1e300) == FLT_MAX && tosingle(-1e300) == -FLT_MAX && std::isnan(tosingle(NAN)));
    std::string all;
    for (int entry = 0; entry < yaxisentries; ++entry)
        all += yaxistext(entry) + ";";
    EXPECT_EQ(
        all, "ATPin/ADPin;ATPin (mM);ADPin (mM);ATPout (mM);ADPout (mM);Pin (mM);pHo;pHi;n;KM(adp)in (mM);"
             "KM(adp)out (mM);KM(atp)in (mM);KM(atp)out (mM);KH(adp)in 10^(-x) M;KH(adp)out 10^(-x) M;"
             "KH(atp)in 10^(-x) M;KH(atp)out 10^(-x) M;Mg (mM);T (Celsius);KM(adp) 10^(-x);KM(atp) 10^(-x);");
}

TEST(ReversalPotentials, ReferenceFigures) {
    constexpr double mv = 1e-4, notgiven = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int16_t yaxis;
        double y, ant, atpase;
    } cases[] = {
        {-1, 1.0, -126.9684, -121.5386},    {-1, 0.1, -188.5089, -104.9060},
        {-1, 3.0, -97.6061, -129.4743},     {-1, 10.0, -65.4279, -138.1711},
        {ATPin, 3.0, -145.4939, notgiven},  {ATPout, 2.0, -140.6211, -121.5386},
        {ADPin, 0.0, 351.7027, -250.9091}, // 0 is clamped, not divided by
        {T, 25.0, -122.0559, -120.1405},    {n, 3.0, -126.9684, -151.7643},
        {pHo, 7.0, -124.8044, -106.1535},   {Pin, 1.0, -126.9684, -138.1711},
        {KMatp, 5.0, -126.9684, -137.1732},
    };
    for (const auto& c : cases) {
        const ModelState s = factorystate(c.yaxis);
        EXPECT_NEAR(erevant(s, c.y), c.ant, mv) << c.yaxis << " " << c.y;
        if (!std::isnan(c.atpase)) {
            EXPECT_NEAR(erevatpase(s, c.y), c.atpase, mv) << c.yaxis << " " << c.y;
        }
        EXPECT_EQ(s.params[ATPout].value, 1.2f); // y is substituted for this evaluation only
        // The per-row path reuses prepared terms and must match bit for bit.
        const Potentials p = potentialsat(prepareterms(s), c.y);
        EXPECT_TRUE(p.ant == erevant(s, c.y) && p.atpase == erevatpase(s, c.y)) << c.yaxis << " " << c.y;
    }
    ModelState nomagnesium = factorystate();
    nomagnesium.params[Mg].value = 0.0f;
    EXPECT_NEAR(erevatpase(nomagnesium, 1.0), -130.5269, mv);
    // At the ADPin clamp the row's own value is used; on a parameter axis y is stored in single precision.
    const ModelState adpin = factorystate(ADPin), pho = factorystate(pHo);
    const double floor = adpin.limits[ADPin].min / 100000;
    EXPECT_EQ(erevant(adpin, floor), erevant(adpin, floor / 2));
    EXPECT_EQ(erevant(pho, 7.00000001), erevant(pho, static_cast<double>(7.00000001f)));
    // Domain errors (log of 0, a negative ratio, infinity) give a non-finite result, never a trap.
    EXPECT_FALSE(
        std::isfinite(erevant(factorystate(), 0.0)) || std::isfinite(erevatpase(factorystate(), -1.0)) ||
        std::isfinite(erevatpase(factorystate(Pin), 0.0)) || std::isfinite(erevant(adpin, HUGE_VAL)));
}

TEST(CrossingPoint, ClosedFormsAndTheRatioFloor) {
    const std::pair<int16_t, double> cases[] = {{-1, 1.173435},      {ATPin, 7.040611},    {ADPin, 5.113192},
                                                {ATPout, 0.9793759}, {ADPout, 0.01225270}, {Pin, 4.715657}};
    for (const auto& [axis, value] : cases) {
        ModelState s = factorystate(axis);
        const double v = crossingpoint(s);
        EXPECT_NEAR(v, value, value * 1e-6) << axis; // the seven significant digits the figures carry
        // Both potentials are equal there; parameter axes store v in single precision, which limits this.
        EXPECT_NEAR(erevant(s, v), erevatpase(s, v), 1e-4) << axis;
        EXPECT_TRUE(s.xmin == defaultxmin && s.ymax == defaultymax) << axis; // the limits stay
    }
    ModelState s = factorystate();
    EXPECT_NEAR(erevant(s, crossingpoint(s)), -122.6939, 1e-4);
    s.params[ATPout].value = 1e-30f; // drives the crossing ratio to nothing
    EXPECT_EQ(crossingpoint(s), 1e-10);
    s.yaxis = ATPin;
    EXPECT_EQ(crossingpoint(s), static_cast<double>(s.params[ADPin].value) * 1e-10);
    s.yaxis = ADPin;
    EXPECT_EQ(crossingpoint(s), static_cast<double>(s.params[ATPin].value) / 1e-10);
}

TEST(CrossingPoint, FramesFromTheCrossingOrFixed) {
    // Without a closed form the frame is fixed (crossingpoint -1); autoscale keeps exactly that frame.
    // ADPin acts only through the ratio: its x range is the ratio's.
    const struct {
        int16_t axis;
        double ymin, ymax, xmin, xmax;
    } cases[] = {
        {pHo, 6, 8, -180.0020, -32.3049},          {n, 2.5, 4.5, -192.2380, -89.9887},
        {KMadpin, 0.01, 2, -158.0790, -22.3155},   {KHadpin, 4, 10, -182.6001, 47.2444},
        {Mg, 0, 2, -131.7944, -116.5849},          {T, 0, 40, -129.8340, -110.1839},
        {KMadp, 0, 10, -191.3621, 8.2287},         {-1, 0, 3.520306, -171.6310, -73.7567},
        {ADPin, 0, 15.33958, -171.6310, -73.7567},
    };
    for (const auto& c : cases) {
        ModelState automatic = factorystate(c.axis);
        autoscale(automatic);
        EXPECT_EQ(automatic.ymin, c.ymin) << c.axis;
        EXPECT_NEAR(automatic.ymax, c.ymax, c.axis == ADPin ? 1e-5 : 1e-6)
            << c.axis; // the figures' last digit
        EXPECT_NEAR(automatic.xmin, c.xmin, 1e-4) << c.axis;
        EXPECT_NEAR(automatic.xmax, c.xmax, 1e-4) << c.axis;
        if (c.axis == -1 || c.axis == ADPin) continue;
        ModelState s = factorystate(c.axis);
        EXPECT_EQ(crossingpoint(s), -1.0) << c.axis;
        EXPECT_TRUE(s.xmin == automatic.xmin && s.xmax == automatic.xmax && s.ymin == automatic.ymin &&
                    s.ymax == automatic.ymax && s.ymax == c.ymax)
            << c.axis;
    }
    // A parameter outside every allowed range (a NaN pH) must not turn the frame into NaN.
    for (int16_t axis : {int16_t(-1), int16_t(pHo)}) {
        ModelState nan = factorystate(axis);
        nan.params[pHi].value = std::numeric_limits<float>::quiet_NaN();
        autoscale(nan);
        EXPECT_TRUE(nan.xmin == defaultxmin && nan.xmax == defaultxmax && nan.ymin == defaultymin &&
                    nan.ymax == defaultymax)
            << axis;
    }
}
