// Cost of one step of a crossing-point sweep (the value, the closed-form crossing and the common
// potential, then also its table line) beside the cost of one plot row, for the ratio axis and for an
// outside concentration on the y axis.
#include "model/parameters.h"
#include "model/potentials.h"
#include "model/sweep.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace kelvora;

namespace {

constexpr long long sweepsteps = 100000;
constexpr int defaultrows = 305 - 35; // the plot surface's height minus its margins

ModelState factory(int16_t yaxis) {
    ModelState s;
    resetsettings(s);
    buildtables(s);
    s.pKa2 = defaultpKa2;
    s.yaxis = yaxis;
    return s;
}

void BM_OnePlotRow(benchmark::State& st, int16_t yaxis) {
    const ModelState s = factory(yaxis);
    const PotentialTerms t = prepareterms(s);
    double y = (s.ymax - s.ymin) * (defaultrows - 100) / defaultrows + s.ymin;
    for (auto _ : st) {
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(potentialsat(t, y));
    }
}

// pHo from 6 to 8 in 100000 steps, one step per iteration.
void BM_SweepStep(benchmark::State& st, int16_t yaxis) {
    ModelState s = factory(yaxis);
    long long i = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(sweeprow(s, pHo, sweepvalue(6.0, 8.0, i, sweepsteps)));
        i = i == sweepsteps ? 0 : i + 1;
    }
}

void BM_SweepStepAndLine(benchmark::State& st, int16_t yaxis) {
    ModelState s = factory(yaxis);
    std::string text;
    text.reserve(1 << 17);
    long long i = 0;
    for (auto _ : st) {
        appendsweepline(text, sweeprow(s, pHo, sweepvalue(6.0, 8.0, i, sweepsteps)), SeparatorChoice::point,
                        '.');
        if (text.size() > (1 << 16)) text.clear();
        i = i == sweepsteps ? 0 : i + 1;
    }
    benchmark::DoNotOptimize(text);
}

} // namespace

BENCHMARK_CAPTURE(BM_OnePlotRow, ratio, ratioaxis);
BENCHMARK_CAPTURE(BM_SweepStep, ratio, ratioaxis);
BENCHMARK_CAPTURE(BM_SweepStepAndLine, ratio, ratioaxis);
BENCHMARK_CAPTURE(BM_OnePlotRow, ATPout, int16_t(ATPout));
BENCHMARK_CAPTURE(BM_SweepStep, ATPout, int16_t(ATPout));
BENCHMARK_CAPTURE(BM_SweepStepAndLine, ATPout, int16_t(ATPout));

BENCHMARK_MAIN();
