#include "factory.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvora;

namespace {

constexpr double mv = 1e-4; // the reference figures are given to 1e-4 mV

struct Case {
    int16_t yaxis;
    double y;
    double ant;
    double atpase;
};

} // namespace

TEST(ReversalPotentials, RatioAxis) {
    const Case cases[] = {
        {-1, 1.0, -126.9684, -121.5386},
        {-1, 0.1, -188.5089, -104.9060},
        {-1, 3.0, -97.6061, -129.4743},
        {-1, 10.0, -65.4279, -138.1711},
    };
    for (const Case& c : cases) {
        const ModelState s = factorystate(c.yaxis);
        EXPECT_NEAR(erevant(s, c.y), c.ant, mv) << c.y;
        EXPECT_NEAR(erevatpase(s, c.y), c.atpase, mv) << c.y;
    }
}

TEST(ReversalPotentials, ParameterAxes) {
    EXPECT_NEAR(erevant(factorystate(ATPin), 3.0), -145.4939, mv);
    EXPECT_NEAR(erevant(factorystate(ATPout), 2.0), -140.6211, mv);
    EXPECT_NEAR(erevatpase(factorystate(ATPout), 2.0), -121.5386, mv);
    EXPECT_NEAR(erevant(factorystate(T), 25.0), -122.0559, mv);
    EXPECT_NEAR(erevatpase(factorystate(T), 25.0), -120.1405, mv);
    EXPECT_NEAR(erevatpase(factorystate(n), 3.0), -151.7643, mv);
    EXPECT_NEAR(erevant(factorystate(pHo), 7.0), -124.8044, mv);
    EXPECT_NEAR(erevatpase(factorystate(pHo), 7.0), -106.1535, mv);
    EXPECT_NEAR(erevatpase(factorystate(Pin), 1.0), -138.1711, mv);
    EXPECT_NEAR(erevatpase(factorystate(KMatp), 5.0), -137.1732, mv);
    for (int16_t axis : {int16_t(n), int16_t(Pin), int16_t(KMatp)})
        EXPECT_NEAR(erevant(factorystate(axis), 1.0), -126.9684, mv) << axis;
}

TEST(ReversalPotentials, ZeroADPinIsClampedNotDividedBy) {
    const ModelState s = factorystate(ADPin);
    EXPECT_NEAR(erevant(s, 0.0), 351.7027, mv);
    EXPECT_NEAR(erevatpase(s, 0.0), -250.9091, mv);
    // At the clamp itself the row's own value is used; both sides agree there.
    const double floor = s.limits[ADPin].min / 100000;
    EXPECT_EQ(erevant(s, floor), erevant(s, floor / 2));
}

TEST(ReversalPotentials, NoMagnesium) {
    ModelState s = factorystate();
    s.params[Mg].value = 0.0f;
    EXPECT_NEAR(erevant(s, 1.0), -126.9684, mv);
    EXPECT_NEAR(erevatpase(s, 1.0), -130.5269, mv);
}

TEST(ReversalPotentials, IndependenceOfUnrelatedParameters) {
    const ModelState base = factorystate();
    for (int i : {int(ATPout), int(ADPout)}) {
        ModelState s = base;
        s.params[i].value *= 2;
        EXPECT_EQ(erevatpase(s, 1.5), erevatpase(base, 1.5)) << i;
    }
    for (int i : {int(Pin), int(n), int(KMadp), int(KMatp)}) {
        ModelState s = base;
        s.params[i].value *= 2;
        EXPECT_EQ(erevant(s, 1.5), erevant(base, 1.5)) << i;
    }
    ModelState s = base;
    s.pKa2 = 6.5;
    EXPECT_EQ(erevant(s, 1.5), erevant(base, 1.5));
}

TEST(ReversalPotentials, StoredTableIsNotTouched) {
    const ModelState s = factorystate(ATPout);
    erevant(s, 2.0);
    erevatpase(s, 2.0);
    EXPECT_EQ(static_cast<double>(s.params[ATPout].value), 1.2000000476837158);
}

TEST(ReversalPotentials, SubstitutedValueIsRoundedToSinglePrecision) {
    // 7.0000001 and its single-precision neighbour give the same potentials on a parameter axis.
    const ModelState s = factorystate(pHo);
    EXPECT_EQ(erevant(s, 7.00000001), erevant(s, static_cast<double>(7.00000001f)));
}

TEST(ReversalPotentials, PreparedTermsGiveIdenticalRows) {
    // Every y-axis choice: the per-row path reuses cached terms and must match bit for bit.
    for (int16_t axis = -1; axis <= lastindex; ++axis) {
        const ModelState s = factorystate(axis);
        const PotentialTerms t = prepareterms(s);
        for (double y : {0.05, 0.5, 1.0, 3.3, 7.1, 25.0}) {
            const Potentials p = potentialsat(t, y);
            EXPECT_EQ(p.ant, erevant(s, y)) << axis << " " << y;
            EXPECT_EQ(p.atpase, erevatpase(s, y)) << axis << " " << y;
        }
    }
}

TEST(ReversalPotentials, DomainErrorsGiveNonFiniteResults) {
    // Outside the allowed ranges: no trap, no crash, a result that callers recognise and skip.
    EXPECT_FALSE(std::isfinite(erevant(factorystate(), 0.0)));
    EXPECT_FALSE(std::isfinite(erevatpase(factorystate(), -1.0)));
    EXPECT_FALSE(std::isfinite(erevant(factorystate(ATPout), 0.0)));
    EXPECT_FALSE(std::isfinite(erevatpase(factorystate(Pin), 0.0)));
    ModelState s = factorystate();
    s.params[n].value = 0.0f;
    EXPECT_FALSE(std::isfinite(erevatpase(s, 1.0)));
    EXPECT_FALSE(std::isfinite(erevant(factorystate(ATPin), std::numeric_limits<double>::infinity())));
}
