#include "factory.h"
#include "model/crossing.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvora;

TEST(CrossingPoint, ClosedForms) {
    const struct {
        int16_t axis;
        double value;
    } cases[] = {{-1, 1.173435},      {ATPin, 7.040611},    {ADPin, 5.113192},
                 {ATPout, 0.9793759}, {ADPout, 0.01225270}, {Pin, 4.715657}};
    for (const auto& c : cases) {
        ModelState s = factorystate(c.axis);
        const double v = crossingpoint(s);
        // Relative agreement to the seven significant digits the figures carry.
        EXPECT_NEAR(v, c.value, c.value * 1e-6) << c.axis;
        // Both potentials are equal there; parameter axes store v in single precision, which limits this.
        EXPECT_NEAR(erevant(s, v), erevatpase(s, v), 1e-4) << c.axis;
        // The closed forms leave the limits alone.
        EXPECT_EQ(s.xmin, defaultxmin) << c.axis;
        EXPECT_EQ(s.ymax, defaultymax) << c.axis;
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

TEST(CrossingPoint, FixedFramesWithoutClosedForm) {
    const struct {
        int16_t axis;
        double ymin, ymax, xmin, xmax;
    } cases[] = {
        {pHo, 6, 8, -180.0020, -32.3049},        {n, 2.5, 4.5, -192.2380, -89.9887},
        {KMadpin, 0.01, 2, -158.0790, -22.3155}, {KHadpin, 4, 10, -182.6001, 47.2444},
        {Mg, 0, 2, -131.7944, -116.5849},        {T, 0, 40, -129.8340, -110.1839},
        {KMadp, 0, 10, -191.3621, 8.2287},
    };
    for (const auto& c : cases) {
        ModelState s = factorystate(c.axis), automatic = factorystate(c.axis);
        EXPECT_EQ(crossingpoint(s), -1.0) << c.axis;
        EXPECT_EQ(s.ymin, c.ymin) << c.axis;
        EXPECT_EQ(s.ymax, c.ymax) << c.axis;
        EXPECT_NEAR(s.xmin, c.xmin, 1e-4) << c.axis;
        EXPECT_NEAR(s.xmax, c.xmax, 1e-4) << c.axis;
        // autoscale keeps exactly this frame.
        autoscale(automatic);
        EXPECT_EQ(automatic.xmin, s.xmin) << c.axis;
        EXPECT_EQ(automatic.xmax, s.xmax) << c.axis;
        EXPECT_EQ(automatic.ymin, s.ymin) << c.axis;
        EXPECT_EQ(automatic.ymax, s.ymax) << c.axis;
    }
}

TEST(Autoscale, FramesAroundTheCrossing) {
    // ADPin: both potentials depend on it only through the ratio, so the x range is the ratio's.
    const struct {
        int16_t axis;
        double ymax, ytolerance;
    } cases[] = {{-1, 3.520306, 1e-6}, {ADPin, 15.33958, 1e-5}};
    for (const auto& c : cases) {
        ModelState s = factorystate(c.axis);
        autoscale(s);
        EXPECT_EQ(s.ymin, 0.0) << c.axis;
        EXPECT_NEAR(s.ymax, c.ymax, c.ytolerance) << c.axis;
        EXPECT_NEAR(s.xmin, -171.6310, 1e-4) << c.axis;
        EXPECT_NEAR(s.xmax, -73.7567, 1e-4) << c.axis;
    }
}

TEST(Autoscale, NonFiniteResultsLeaveTheLimits) {
    const auto expectlimits = [](const ModelState& s, double xmin, double xmax, double ymin, double ymax) {
        EXPECT_EQ(s.xmin, xmin);
        EXPECT_EQ(s.xmax, xmax);
        EXPECT_EQ(s.ymin, ymin);
        EXPECT_EQ(s.ymax, ymax);
    };
    // Allowed but extreme values (n = 0.1, T = 0, pH, KM exponents and concentrations at their ends) overflow
    // the crossing value of ATPout to infinity.
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
    expectlimits(s, -150, -90, 0.5, 2);
    // A parameter outside every allowed range (here a NaN pH) must not turn the frame into NaN.
    for (int16_t axis : {int16_t(-1), int16_t(pHo)}) {
        SCOPED_TRACE(axis);
        ModelState nan = factorystate(axis);
        nan.params[pHi].value = std::numeric_limits<float>::quiet_NaN();
        autoscale(nan);
        expectlimits(nan, defaultxmin, defaultxmax, defaultymin, defaultymax);
    }
}
