#include "factory.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvora;

namespace {
constexpr double mv = 1e-4; // the reference figures are given to 1e-4 mV
constexpr double notgiven = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(ReversalPotentials, ReferenceFigures) {
    const struct {
        int16_t yaxis;
        double y, ant, atpase;
    } cases[] = {
        {-1, 1.0, -126.9684, -121.5386},
        {-1, 0.1, -188.5089, -104.9060},
        {-1, 3.0, -97.6061, -129.4743},
        {-1, 10.0, -65.4279, -138.1711},
        {ATPin, 3.0, -145.4939, notgiven},
        {ADPin, 0.0, 351.7027, -250.9091}, // 0 is clamped, not divided by
        {ATPout, 2.0, -140.6211, -121.5386},
        {T, 25.0, -122.0559, -120.1405},
        {n, 3.0, -126.9684, -151.7643},
        {pHo, 7.0, -124.8044, -106.1535},
        {Pin, 1.0, -126.9684, -138.1711},
        {KMatp, 5.0, -126.9684, -137.1732},
    };
    for (const auto& c : cases) {
        const ModelState s = factorystate(c.yaxis);
        EXPECT_NEAR(erevant(s, c.y), c.ant, mv) << c.yaxis << " " << c.y;
        if (!std::isnan(c.atpase)) {
            EXPECT_NEAR(erevatpase(s, c.y), c.atpase, mv) << c.yaxis << " " << c.y;
        }
        // The y value is substituted for this evaluation only.
        EXPECT_EQ(s.params[ATPout].value, 1.2f);
    }
    ModelState nomagnesium = factorystate();
    nomagnesium.params[Mg].value = 0.0f;
    EXPECT_NEAR(erevant(nomagnesium, 1.0), -126.9684, mv);
    EXPECT_NEAR(erevatpase(nomagnesium, 1.0), -130.5269, mv);
}

TEST(ReversalPotentials, ADPinClampAndSinglePrecisionSubstitution) {
    // At the clamp itself the row's own value is used; both sides agree there.
    const ModelState adpin = factorystate(ADPin);
    const double floor = adpin.limits[ADPin].min / 100000;
    EXPECT_EQ(erevant(adpin, floor), erevant(adpin, floor / 2));
    // On a parameter axis y is stored in single precision first.
    const ModelState pho = factorystate(pHo);
    EXPECT_EQ(erevant(pho, 7.00000001), erevant(pho, static_cast<double>(7.00000001f)));
}

TEST(ReversalPotentials, IndependenceOfUnrelatedParameters) {
    const ModelState base = factorystate();
    for (int i : {int(ATPout), int(ADPout), int(Pin), int(n), int(KMadp), int(KMatp)}) {
        ModelState s = base;
        s.params[i].value *= 2;
        if (i == ATPout || i == ADPout)
            EXPECT_EQ(erevatpase(s, 1.5), erevatpase(base, 1.5)) << i;
        else
            EXPECT_EQ(erevant(s, 1.5), erevant(base, 1.5)) << i;
    }
    ModelState s = base;
    s.pKa2 = 6.5;
    EXPECT_EQ(erevant(s, 1.5), erevant(base, 1.5));
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
    EXPECT_FALSE(std::isfinite(erevant(factorystate(ATPin), std::numeric_limits<double>::infinity())));
    ModelState s = factorystate();
    s.params[n].value = 0.0f;
    EXPECT_FALSE(std::isfinite(erevatpase(s, 1.0)));
}
