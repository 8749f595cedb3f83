// The two reversal potentials, in closed form.
#pragma once

#include "model/parameters.h"

namespace kelvora {

// Reversal potential of the adenine nucleotide translocase at the y-axis value y, in mV.
double erevant(const ModelState& s, double y);

// Reversal potential of the ATP synthase at the y-axis value y, in mV.
double erevatpase(const ModelState& s, double y);

// Both potentials of one plot row.
struct Potentials {
    double ant;
    double atpase;
};

// The ATP synthase's reversal potential carries this fixed offset, in mV, divided by the coupling number.
constexpr double synthaseoffset = -316.0;

// The terms of the potentials that do not depend on y, from the stored parameters: the temperature in
// kelvin, the proton concentrations and the magnesium factors. The potentials, the crossing point and
// the sweep all build on these leaves.
struct ModelTerms {
    double v[lastindex + 1]; // parameter values widened to double
    int16_t yaxis;
    double adpinfloor; // smallest ADPin used for the ratio when ADPin is on the y axis
    double pKa2, faraday, gas, kelvin;
    // leaves of the formulas
    double tk, hi, ho, khadpi, khatpi, khatpo, khadpo, phosphatepow;
    double mgadpi, mgatpi, mgatpo, mgadpo;
};

ModelTerms modelterms(const ModelState& s);

// The proton factors 1 + [H+] / KH of ADP and ATP, inside and outside.
inline double protonadpin(const ModelTerms& t) {
    return t.hi / t.khadpi + 1.0;
}
inline double protonatpin(const ModelTerms& t) {
    return t.hi / t.khatpi + 1.0;
}
inline double protonatpout(const ModelTerms& t) {
    return t.ho / t.khatpo + 1.0;
}
inline double protonadpout(const ModelTerms& t) {
    return t.ho / t.khadpo + 1.0;
}

// X, the free ATP/ADP ratio of the matrix at the total ratio r.
inline double freematrixratio(const ModelTerms& t, double r) {
    return (protonadpin(t) * (t.mgadpi * r) / t.mgatpi) / protonatpin(t);
}

// ATPfo and ADPfo, the free ATP and ADP outside.
inline double freeatpout(const ModelTerms& t) {
    return (t.v[ATPout] / t.mgatpo) / protonatpout(t);
}
inline double freeadpout(const ModelTerms& t) {
    return (t.v[ADPout] / t.mgadpo) / protonadpout(t);
}

// Pf, the free phosphate of the matrix in mM: Pin over the phosphate factor 10^(pHi - pKa2) + 1.
inline double phosphatefactor(const ModelTerms& t) {
    return t.phosphatepow + 1.0;
}
inline double freephosphate(const ModelTerms& t) {
    return t.v[Pin] / phosphatefactor(t);
}

// The terms of one evaluation that do not depend on y, worked out once for a whole redraw or table.
// A row evaluation then recomputes only the terms that the y-axis quantity enters, so every row gives
// exactly (bit for bit) what erevant and erevatpase give at that y.
struct PotentialTerms : ModelTerms {
    // The logarithms, split so that a row recomputes only those its quantity enters (a logarithm costs
    // more than the rest of a row): ln X, ln(ADPfo / ATPfo) and ln(1000 / Pf).
    double lnx, lnoutside, lnphosphate;
};

PotentialTerms prepareterms(const ModelState& s);

// Both potentials at y from prepared terms. Non-finite results mark a row that cannot be computed
// (a logarithm of zero or a negative number, a division by zero); callers skip such rows.
Potentials potentialsat(const PotentialTerms& t, double y);

} // namespace kelvora
