#include "factory.h"
#include "model/crossing.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvora;

namespace {

// Relative agreement to the seven significant digits the reference figures carry.
void expectsignificant(double actual, double expected) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-6) << "expected " << expected;
}

} // namespace

TEST(CrossingPoint, ClosedForms) {
    struct {
        int16_t axis;
        double value;
    } cases[] = {{-1, 1.173435}, {ATPin, 7.040611}, {ADPin, 5.113192},
                 {ATPout, 0.9793759}, {ADPout, 0.01225270}, {Pin, 4.715657}};
    for (const auto& c : cases) {
        ModelState s = factorystate(c.axis);
        const ModelState before = s;
        expectsignificant(crossingpoint(s), c.value);
        EXPECT_EQ(s.xmin, before.xmin);
        EXPECT_EQ(s.ymax, before.ymax);
    }
}

TEST(CrossingPoint, BothPotentialsAreEqualThere) {
    for (int16_t axis : {int16_t(-1), int16_t(ATPin), int16_t(ADPin), int16_t(ATPout), int16_t(ADPout),
                         int16_t(Pin)}) {
        ModelState s = factorystate(axis);
        const double v = crossingpoint(s);
        // Parameter axes store the value in single precision, which limits the agreement.
        EXPECT_NEAR(erevant(s, v), erevatpase(s, v), 1e-4) << axis;
    }
    ModelState s = factorystate();
    EXPECT_NEAR(erevant(s, crossingpoint(s)), -122.6939, 1e-4);
}

TEST(CrossingPoint, RatioFloor) {
    ModelState s = factorystate();
    s.params[ATPout].value = 1e-30f; // drives the free ATP outside, and the crossing ratio, to nothing
    EXPECT_EQ(crossingpoint(s), 1e-10);
    s.yaxis = ATPin;
    EXPECT_EQ(crossingpoint(s), static_cast<double>(s.params[ADPin].value) * 1e-10);
    s.yaxis = ADPin;
    EXPECT_EQ(crossingpoint(s), static_cast<double>(s.params[ATPin].value) / 1e-10);
}

TEST(CrossingPoint, FixedRangesWithoutClosedForm) {
    struct {
        int16_t axis;
        double ymin, ymax, xmin, xmax;
    } cases[] = {
        {pHo, 6, 8, -180.0020, -32.3049},     {n, 2.5, 4.5, -192.2380, -89.9887},
        {KMadpin, 0.01, 2, -158.0790, -22.3155}, {KHadpin, 4, 10, -182.6001, 47.2444},
        {Mg, 0, 2, -131.7944, -116.5849},     {T, 0, 40, -129.8340, -110.1839},
        {KMadp, 0, 10, -191.3621, 8.2287},
    };
    for (const auto& c : cases) {
        ModelState s = factorystate(c.axis);
        EXPECT_EQ(crossingpoint(s), -1.0) << c.axis;
        EXPECT_EQ(s.ymin, c.ymin) << c.axis;
        EXPECT_EQ(s.ymax, c.ymax) << c.axis;
        EXPECT_NEAR(s.xmin, c.xmin, 1e-4) << c.axis;
        EXPECT_NEAR(s.xmax, c.xmax, 1e-4) << c.axis;
    }
}

TEST(CrossingPoint, MarginIsATenthOfTheSpread) {
    // Without magnesium neither potential depends on KM(atp)out: four samples, two distinct values.
    ModelState s = factorystate(KMatpout);
    s.params[Mg].value = 0.0f;
    const double ant = erevant(s, 1.0), atpase = erevatpase(s, 1.0);
    const double low = std::min(ant, atpase), high = std::max(ant, atpase);
    EXPECT_EQ(crossingpoint(s), -1.0);
    EXPECT_EQ(s.xmin, low + (low - high) / 10);
    EXPECT_EQ(s.xmax, high + (high - low) / 10);
}

TEST(Autoscale, RatioAxis) {
    ModelState s = factorystate();
    autoscale(s);
    EXPECT_EQ(s.ymin, 0.0);
    EXPECT_NEAR(s.ymax, 3.520306, 1e-6);
    EXPECT_NEAR(s.xmin, -171.6310, 1e-4);
    EXPECT_NEAR(s.xmax, -73.7567, 1e-4);
}

TEST(Autoscale, ADPinAxisFramesTheSamePotentials) {
    ModelState s = factorystate(ADPin);
    autoscale(s);
    EXPECT_EQ(s.ymin, 0.0);
    EXPECT_NEAR(s.ymax, 15.33958, 1e-5);
    EXPECT_NEAR(s.xmin, -171.6310, 1e-4);
    EXPECT_NEAR(s.xmax, -73.7567, 1e-4);
}

TEST(Autoscale, NoCrossingKeepsTheFixedFrame) {
    ModelState s = factorystate(pHo);
    autoscale(s);
    EXPECT_EQ(s.ymin, 6.0);
    EXPECT_EQ(s.ymax, 8.0);
    EXPECT_NEAR(s.xmin, -180.0020, 1e-4);
    EXPECT_NEAR(s.xmax, -32.3049, 1e-4);
}

TEST(Autoscale, NonFiniteCrossingLeavesTheLimits) {
    // Allowed but extreme values (n = 0.1, T = 0, pH, KM exponents and concentrations at their ends) overflow the
    // crossing value of ATPout to infinity.
    ModelState s = factorystate(ATPout);
    s.params[n].value = 0.1f;
    s.params[T].value = 0.0f;
    s.params[pHi].value = 20.0f;
    s.params[pHo].value = 0.01f;
    s.params[KMatp].value = 10.0f;
    s.params[KMadp].value = 0.0f;
    s.params[ADPout].value = 10000.0f;
    s.params[ATPin].value = 10000.0f;
    s.params[ADPin].value = 0.01f;
    EXPECT_FALSE(std::isfinite(crossingpoint(s)));
    s.xmin = -150;
    s.xmax = -90;
    s.ymin = 0.5;
    s.ymax = 2;
    autoscale(s);
    EXPECT_EQ(s.xmin, -150.0);
    EXPECT_EQ(s.xmax, -90.0);
    EXPECT_EQ(s.ymin, 0.5);
    EXPECT_EQ(s.ymax, 2.0);
}

TEST(Autoscale, NonFinitePotentialsLeaveTheLimits) {
    // A parameter outside every allowed range (here a NaN pH) must not turn the frame into NaN.
    for (int16_t axis : {int16_t(-1), int16_t(pHo)}) {
        ModelState s = factorystate(axis);
        s.params[pHi].value = std::numeric_limits<float>::quiet_NaN();
        autoscale(s);
        EXPECT_EQ(s.xmin, -160.0) << axis;
        EXPECT_EQ(s.xmax, -80.0) << axis;
        EXPECT_EQ(s.ymin, 0.0) << axis;
        EXPECT_EQ(s.ymax, 3.0) << axis;
    }
}
