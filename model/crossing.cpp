#include "model/crossing.h"

#include "model/potentials.h"
#include "model/powers.h"

#include <cmath>
#include <numbers>

namespace kelvora {
namespace {

// exp(79 F / (250 R n Tk)) is 10^(-synthaseoffset / (n Z)): 79/250 is the offset's 0.316 V.
constexpr double offsetnumerator = 79.0;
constexpr double offsetdenominator = 250.0;
constexpr double millimolar = 1000.0;
constexpr double ratiofloor = 1e-10;    // smallest crossing ratio returned
constexpr double marginfraction = 10.0; // x margin: a tenth of the spread on each side
constexpr double emptyspread = 1.0;     // x spread used when all sampled potentials are equal
constexpr int magnesiumsamples = 20;    // the Mg range is scanned in twentieths
constexpr double autoymultiple = 3.0;   // the y axis runs to three times the crossing value
// x half-width: five thirds of the larger distance of the two potentials at the top from the crossing
constexpr double autoxnumerator = 5.0;
constexpr double autoxdenominator = 3.0;
constexpr double molarexponent = 3.0; // log10 of mM per M
constexpr double nonpositivecrossing = 1e-6;

// Fixed y range for the quantities without a crossing formula.
struct FixedRange {
    double ymin;
    double ymax;
};

FixedRange fixedrange(int yaxis) {
    switch (yaxis) {
    case pHo:
    case pHi:
        return {6, 8};
    case n:
        return {2.5, 4.5};
    case KMadpin:
    case KMadpout:
    case KMatpin:
    case KMatpout:
        return {0.01, 2};
    case KHadpin:
    case KHadpout:
    case KHatpin:
    case KHatpout:
        return {4, 10};
    case Mg:
        return {0, 2};
    case T:
        return {0, 40};
    default:
        return {0, 10}; // KM(adp), KM(atp)
    }
}

bool validlimits(double xmin, double xmax, double ymin, double ymax) {
    return std::isfinite(xmin) && std::isfinite(xmax) && std::isfinite(xmax - xmin) && xmin < xmax &&
           std::isfinite(ymin) && std::isfinite(ymax) && std::isfinite(ymax - ymin) && 0.0 <= ymin &&
           ymin < ymax;
}

// The new limits where they are valid; otherwise the previous frame rather than a broken one.
AxisLimits validorkept(const ModelState& s, const AxisLimits& fitted) {
    if (!validlimits(fitted.xmin, fitted.xmax, fitted.ymin, fitted.ymax)) return limitsof(s);
    return fitted;
}

// Widens [lo, hi] to include value (a NaN never widens it).
void include(double value, double& lo, double& hi) {
    if (value < lo) lo = value;
    if (value > hi) hi = value;
}

// No closed form: a fixed y range framed around the potentials sampled at its ends (and, for Mg,
// across it).
AxisLimits fixedframe(const ModelState& s) {
    const FixedRange range = fixedrange(s.yaxis);
    const PotentialTerms terms = prepareterms(s);
    const Potentials top = potentialsat(terms, range.ymax);
    const Potentials bottom = potentialsat(terms, range.ymin);
    double lo = top.ant;
    double hi = top.ant;
    include(bottom.ant, lo, hi);
    include(top.atpase, lo, hi);
    include(bottom.atpase, lo, hi);
    if (lo == hi) hi = lo + emptyspread;
    if (s.yaxis == Mg) {
        for (int k = 1; k < magnesiumsamples; ++k) {
            const Potentials p = potentialsat(terms, k * range.ymax / magnesiumsamples);
            include(p.ant, lo, hi);
            include(p.atpase, lo, hi);
        }
    }
    return validorkept(
        s, {lo + (lo - hi) / marginfraction, hi + (hi - lo) / marginfraction, range.ymin, range.ymax});
}

} // namespace

bool hasclosedcrossing(int16_t yaxis) {
    return yaxis >= ratioaxis && yaxis <= Pin;
}

ClosedCrossing closedcrossing(const ModelState& s) {
    const ModelTerms t = modelterms(s);
    const double* v = t.v;
    const double atpfo = freeatpout(t);
    const double adpfo = freeadpout(t);
    const double pf = freephosphate(t);
    // Potential, in mV, of a tenfold concentration ratio.
    const double z = std::numbers::ln10 * millimolar * t.gas * t.tk / t.faraday;

    if (s.yaxis < ATPout) {
        // Solve both potentials equal for the free matrix ratio, then convert it to the total ratio.
        const double a = z / v[n];
        const double d = a + z;
        const double e = (synthaseoffset / v[n] - (v[pHo] - v[pHi]) * z) / d;
        const double w1 = a / d;
        const double w2 = z / d;
        const double xstar = std::pow(atpfo / adpfo, w2) * tenpower(e) *
                             std::pow(tenpower(v[KMadp] - v[KMatp]) * pf / millimolar, w1);
        double rstar = xstar / t.mgadpi / protonadpin(t) * t.mgatpi * protonatpin(t);
        const bool clamped = !(rstar >= ratiofloor); // also catches NaN
        if (clamped) rstar = ratiofloor;
        if (s.yaxis == ATPin) return {v[ADPin] * rstar, clamped};
        if (s.yaxis == ADPin) return {v[ATPin] / rstar, clamped};
        return {rstar, clamped};
    }

    const double x = freematrixratio(t, v[ATPin] / v[ADPin]);
    const double faradayterm = offsetnumerator * t.faraday / (offsetdenominator * t.gas * t.tk);
    const double bound = tenpower(v[KMatp] - v[KMadp]);
    if (s.yaxis == ATPout) {
        const double g = std::exp(faradayterm / v[n]);
        const double vv = std::pow(bound * x / pf, 1.0 / v[n]);
        const double atpfostar =
            tenpower((molarexponent - (v[pHi] - v[pHo]) * v[n]) / v[n]) * adpfo * x * g * vv;
        return {protonatpout(t) * t.mgatpo * atpfostar, false};
    }
    if (s.yaxis == ADPout) {
        const double g = std::exp(-faradayterm / v[n]);
        const double vv = std::pow(bound * x / pf, -1.0 / v[n]);
        const double adpfostar =
            tenpower(((v[pHi] - v[pHo]) * v[n] - molarexponent) / v[n]) * atpfo * g * vv / x;
        return {protonadpout(t) * t.mgadpo * adpfostar, false};
    }
    // Pin
    const double g = std::exp(faradayterm);
    const double pfstar = std::pow(adpfo * x / atpfo, v[n]) * bound *
                          tenpower((v[pHo] - v[pHi]) * v[n] + molarexponent) * x * g;
    return {phosphatefactor(t) * pfstar, false};
}

double crossingpoint(const ModelState& s) {
    if (!hasclosedcrossing(s.yaxis)) return nocrossing;
    return closedcrossing(s).value;
}

AxisLimits limitsof(const ModelState& s) {
    return {s.xmin, s.xmax, s.ymin, s.ymax};
}

void setlimits(ModelState& s, const AxisLimits& limits) {
    s.xmin = limits.xmin;
    s.xmax = limits.xmax;
    s.ymin = limits.ymin;
    s.ymax = limits.ymax;
}

AxisLimits fittedlimits(const ModelState& s) {
    if (!hasclosedcrossing(s.yaxis)) return fixedframe(s);
    double v = crossingpoint(s);
    if (!(v > 0.0)) v = nonpositivecrossing;
    const double ymax = autoymultiple * v;
    const PotentialTerms terms = prepareterms(s);
    const double a = potentialsat(terms, ymax).ant;
    const double b = potentialsat(terms, ymax).atpase;
    const double c = potentialsat(terms, v).ant;
    double d = std::fabs(a - c);
    if (d < std::fabs(b - c)) d = std::fabs(b - c);
    const double h = d / autoxdenominator * autoxnumerator;
    return validorkept(s, {c - h, h + c, 0.0, ymax});
}

void autoscale(ModelState& s) {
    setlimits(s, fittedlimits(s));
}

} // namespace kelvora
