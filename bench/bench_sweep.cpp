// Cost of one step of a crossing-point sweep (the value, the closed-form crossing and the common
// potential, then also its table line) beside the cost of one plot row, for the ratio axis and for an
// outside concentration on the y axis.
#include "bench/benchstate.h"
#include "model/sweep.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace kelvora;
using namespace kelvora::bench;

namespace {

constexpr long long sweepsteps = 100000;
void BM_OnePlotRow(benchmark::State& st, int16_t yaxis) {
    onerow(st, factory(yaxis));
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
