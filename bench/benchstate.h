// What the model benchmarks share: the factory state for a y-axis choice, and the cost of one plot row,
// the yardstick the other figures are reported beside.
#pragma once

#include "model/crossing.h"
#include "model/parameters.h"
#include "model/potentials.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace kelvora::bench {

constexpr int defaultrows = 305 - 35; // the window's plot surface: its height minus the margins

// The factory settings with that quantity on the y axis; fitted: with the automatic limits of that axis.
inline ModelState factory(int16_t yaxis, bool fitted = false) {
    ModelState s;
    resetsettings(s);
    buildtables(s);
    s.pKa2 = defaultpKa2;
    s.yaxis = yaxis;
    if (fitted && yaxis != ratioaxis) autoscale(s);
    return s;
}

// Both potentials of one row of the window's plot.
inline void onerow(benchmark::State& st, const ModelState& s) {
    const PotentialTerms t = prepareterms(s);
    double y = rowvalue(s, defaultrows, 100);
    for (auto _ : st) {
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(potentialsat(t, y));
    }
}

} // namespace kelvora::bench
