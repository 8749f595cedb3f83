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

// The terms of one evaluation that do not depend on y, worked out once for a whole redraw or table.
// A row evaluation then recomputes only the terms that the y-axis quantity enters, so every row gives
// exactly (bit for bit) what erevant and erevatpase give at that y.
struct PotentialTerms {
    double v[lastindex + 1]; // parameter values widened to double
    int16_t yaxis;
    double adpinfloor; // smallest ADPin used for the ratio when ADPin is on the y axis
    double pKa2, faraday, gas, kelvin;
    // leaves of the formulas
    double tk, hi, ho, khadpi, khatpi, khatpo, khadpo, phosphatepow;
    double mgadpi, mgatpi, mgatpo, mgadpo;
    // The logarithms, split so that a row recomputes only those its quantity enters (a logarithm costs
    // more than the rest of a row): ln X, ln(ADPfo / ATPfo) and ln(1000 / Pf).
    double lnx, lnoutside, lnphosphate;
};

PotentialTerms prepareterms(const ModelState& s);

// Both potentials at y from prepared terms. Non-finite results mark a row that cannot be computed
// (a logarithm of zero or a negative number, a division by zero); callers skip such rows.
Potentials potentialsat(const PotentialTerms& t, double y);

} // namespace kelvora
