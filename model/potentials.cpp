#include "model/potentials.h"
#include "model/powers.h"

#include <cmath>
#include <numbers>

namespace kelvora {
namespace {

// When ADPin is on the y axis, the ratio never uses an ADPin below its lowest allowed minimum / 100000,
// so the bottom row (ADPin = 0) gives a finite ratio instead of a division by zero.
constexpr double adpinfloordivisor = 100000.0;
constexpr double millimolar = 1000.0; // mM per M, and mV per V

// The leaves of the formulas: every term that depends on one or two parameters only. A row evaluation
// recomputes just the leaves of the parameter on the y axis; everything else is reused.
void leafT(ModelTerms& t) {
    t.tk = t.v[T] + t.kelvin;
}
void leafpHi(ModelTerms& t) {
    t.hi = tenpower(-t.v[pHi]);
    t.phosphatepow = tenpower(t.v[pHi] - t.pKa2);
}
void leafpHo(ModelTerms& t) {
    t.ho = tenpower(-t.v[pHo]);
}
void leafKHadpin(ModelTerms& t) {
    t.khadpi = tenpower(-t.v[KHadpin]);
}
void leafKHatpin(ModelTerms& t) {
    t.khatpi = tenpower(-t.v[KHatpin]);
}
void leafKHatpout(ModelTerms& t) {
    t.khatpo = tenpower(-t.v[KHatpout]);
}
void leafKHadpout(ModelTerms& t) {
    t.khadpo = tenpower(-t.v[KHadpout]);
}
void leafKMadpin(ModelTerms& t) {
    t.mgadpi = t.v[Mg] / t.v[KMadpin] + 1.0;
}
void leafKMatpin(ModelTerms& t) {
    t.mgatpi = t.v[Mg] / t.v[KMatpin] + 1.0;
}
void leafKMatpout(ModelTerms& t) {
    t.mgatpo = t.v[Mg] / t.v[KMatpout] + 1.0;
}
void leafKMadpout(ModelTerms& t) {
    t.mgadpo = t.v[Mg] / t.v[KMadpout] + 1.0;
}
void leafMg(ModelTerms& t) {
    leafKMadpin(t);
    leafKMatpin(t);
    leafKMatpout(t);
    leafKMadpout(t);
}

// Recomputes the leaves that parameter i enters. Parameters used directly by the formulas
// (ATPout, ADPout, Pin, n, KM(adp), KM(atp)) have no leaf of their own.
void recomputeleaves(ModelTerms& t, int i) {
    switch (i) {
    case pHo:
        leafpHo(t);
        break;
    case pHi:
        leafpHi(t);
        break;
    case KMadpin:
        leafKMadpin(t);
        break;
    case KMadpout:
        leafKMadpout(t);
        break;
    case KMatpin:
        leafKMatpin(t);
        break;
    case KMatpout:
        leafKMatpout(t);
        break;
    case KHadpin:
        leafKHadpin(t);
        break;
    case KHadpout:
        leafKHadpout(t);
        break;
    case KHatpin:
        leafKHatpin(t);
        break;
    case KHatpout:
        leafKHatpout(t);
        break;
    case Mg:
        leafMg(t);
        break;
    case T:
        leafT(t);
        break;
    default:
        break;
    }
}

// Which of the three logarithms a y-axis quantity enters.
enum LogTerm : unsigned { matrixratio = 1, outsideratio = 2, phosphateterm = 4 };

unsigned logsof(int yaxis) {
    switch (yaxis) {
    case ratioaxis:
    case ATPin:
    case ADPin:
    case KMadpin:
    case KMatpin:
    case KHadpin:
    case KHatpin:
        return matrixratio;
    case ATPout:
    case ADPout:
    case pHo:
    case KMadpout:
    case KMatpout:
    case KHadpout:
    case KHatpout:
        return outsideratio;
    case Pin:
        return phosphateterm;
    case pHi:
        return matrixratio | phosphateterm;
    case Mg:
        return matrixratio | outsideratio;
    default:
        return 0; // n, T, KM(adp), KM(atp) enter the potentials outside the logarithms
    }
}

// ADPfo / ATPfo: the free ADP over the free ATP outside.
double freeoutsideratio(const ModelTerms& t) {
    return freeadpout(t) / freeatpout(t);
}

// 1000 / Pf, the free phosphate of the matrix in M, inverted.
double inversephosphate(const ModelTerms& t) {
    return millimolar / freephosphate(t);
}

} // namespace

ModelTerms modelterms(const ModelState& s) {
    ModelTerms t{};
    for (int i = 0; i <= lastindex; ++i)
        t.v[i] = s.params[i].value;
    t.yaxis = s.yaxis;
    t.adpinfloor = s.limits[ADPin].min / adpinfloordivisor;
    t.pKa2 = s.pKa2;
    t.faraday = s.faraday;
    t.gas = s.gas;
    t.kelvin = s.kelvin;
    leafT(t);
    leafpHi(t);
    leafpHo(t);
    leafKHadpin(t);
    leafKHatpin(t);
    leafKHatpout(t);
    leafKHadpout(t);
    leafMg(t);
    return t;
}

PotentialTerms prepareterms(const ModelState& s) {
    PotentialTerms t{modelterms(s), 0.0, 0.0, 0.0};
    t.lnx = std::log(freematrixratio(t, t.v[ATPin] / t.v[ADPin]));
    t.lnoutside = std::log(freeoutsideratio(t));
    t.lnphosphate = std::log(inversephosphate(t));
    return t;
}

Potentials potentialsat(const PotentialTerms& terms, double y) {
    // The y substitution works on a copy: the stored parameters never see the row's value.
    PotentialTerms t = terms;
    double r;
    if (t.yaxis == ratioaxis) {
        r = y;
    } else if (t.yaxis == ATPin) {
        r = y / t.v[ADPin];
    } else if (t.yaxis == ADPin) {
        r = t.adpinfloor > y ? t.v[ATPin] / t.adpinfloor : t.v[ATPin] / y;
    } else {
        r = t.v[ATPin] / t.v[ADPin];
        if (t.yaxis > ADPin && t.yaxis <= lastindex) {
            // The parameter takes the row's value as it would be stored: in single precision.
            t.v[t.yaxis] = tosingle(y);
            recomputeleaves(t, t.yaxis);
        }
    }

    const unsigned logs = logsof(t.yaxis);
    if (logs & matrixratio) t.lnx = std::log(freematrixratio(t, r));
    if (logs & outsideratio) t.lnoutside = std::log(freeoutsideratio(t));
    if (logs & phosphateterm) t.lnphosphate = std::log(inversephosphate(t));

    // ErevANT = RT/F * 1000 * ln((ADPfo / ATPfo) * X), and ErevATPase with ln((X / Pf) * 1000); each
    // logarithm of a product is taken as the sum of the logarithms of its factors.
    const double* v = t.v;
    const double rtf = t.tk * t.gas / t.faraday;
    const double ln10 = std::numbers::ln10;
    Potentials p;
    p.ant = rtf * millimolar * (t.lnoutside + t.lnx);
    p.atpase = (synthaseoffset / v[n]) -
               (rtf * millimolar / v[n]) * ((v[KMatp] - v[KMadp]) * ln10 + (t.lnx + t.lnphosphate)) -
               (ln10 * millimolar * t.gas * t.tk / t.faraday) * (v[pHo] - v[pHi]);
    return p;
}

double erevant(const ModelState& s, double y) {
    return potentialsat(prepareterms(s), y).ant;
}

double erevatpase(const ModelState& s, double y) {
    return potentialsat(prepareterms(s), y).atpase;
}

} // namespace kelvora
