// Cost of the reversal potentials: one plot row and a whole default plot (270 rows), for the ratio axis
// and for a parameter axis, beside a straight transcription of the formulas that recomputes every term
// for every call.
#include "bench/benchstate.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace kelvora;
using namespace kelvora::bench;

namespace {

// The formulas written out once more, as a reader would transcribe them: every power and logarithm
// evaluated on every call, both potentials computed separately.
struct Naive {
    double ant;
    double atpase;
};

Naive naivepotentials(const ModelState& s, double y) {
    double v[lastindex + 1];
    for (int i = 0; i <= lastindex; ++i)
        v[i] = s.params[i].value;
    double r = v[ATPin] / v[ADPin];
    if (s.yaxis == ratioaxis)
        r = y;
    else
        v[s.yaxis] = static_cast<float>(y);
    auto parts = [&](double& x, double& atpfo, double& adpfo, double& pf, double& tk) {
        tk = v[T] + 273.15;
        const double hi = std::pow(10.0, -v[pHi]), ho = std::pow(10.0, -v[pHo]);
        x = ((hi / std::pow(10.0, -v[KHadpin]) + 1) * ((v[Mg] / v[KMadpin] + 1) * r) /
             (v[Mg] / v[KMatpin] + 1)) /
            (hi / std::pow(10.0, -v[KHatpin]) + 1);
        atpfo = (v[ATPout] / (v[Mg] / v[KMatpout] + 1)) / (ho / std::pow(10.0, -v[KHatpout]) + 1);
        adpfo = (v[ADPout] / (v[Mg] / v[KMadpout] + 1)) / (ho / std::pow(10.0, -v[KHadpout]) + 1);
        pf = v[Pin] / (std::pow(10.0, v[pHi] - s.pKa2) + 1);
    };
    double x, atpfo, adpfo, pf, tk;
    parts(x, atpfo, adpfo, pf, tk);
    Naive out;
    out.ant = ((tk * s.gas) / s.faraday) * 1000 * std::log((adpfo / atpfo) * x);
    parts(x, atpfo, adpfo, pf, tk);
    out.atpase = (-316.0 / v[n]) -
                 ((tk * s.gas / s.faraday) * 1000 / v[n]) *
                     ((v[KMatp] - v[KMadp]) * std::log(10.0) + std::log((x / pf) * 1000)) -
                 (std::log(10.0) * 1000 * s.gas * tk / s.faraday) * (v[pHo] - v[pHi]);
    return out;
}

void BM_OneRow(benchmark::State& st, int16_t yaxis) {
    onerow(st, factory(yaxis, true));
}

void BM_OneRowNaive(benchmark::State& st, int16_t yaxis) {
    const ModelState s = factory(yaxis, true);
    double y = rowvalue(s, defaultrows, 100);
    for (auto _ : st) {
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(naivepotentials(s, y));
    }
}

void BM_DefaultPlot(benchmark::State& st, int16_t yaxis) {
    const ModelState s = factory(yaxis, true);
    for (auto _ : st) {
        const PotentialTerms t = prepareterms(s);
        for (int i = 0; i < defaultrows; ++i)
            benchmark::DoNotOptimize(potentialsat(t, rowvalue(s, defaultrows, i)));
    }
    st.SetItemsProcessed(st.iterations() * defaultrows);
}

void BM_DefaultPlotNaive(benchmark::State& st, int16_t yaxis) {
    const ModelState s = factory(yaxis, true);
    for (auto _ : st) {
        for (int i = 0; i < defaultrows; ++i)
            benchmark::DoNotOptimize(naivepotentials(s, rowvalue(s, defaultrows, i)));
    }
    st.SetItemsProcessed(st.iterations() * defaultrows);
}

} // namespace

BENCHMARK_CAPTURE(BM_OneRow, ratio, ratioaxis);
BENCHMARK_CAPTURE(BM_OneRowNaive, ratio, ratioaxis);
BENCHMARK_CAPTURE(BM_OneRow, pHo, int16_t(pHo));
BENCHMARK_CAPTURE(BM_OneRowNaive, pHo, int16_t(pHo));
BENCHMARK_CAPTURE(BM_DefaultPlot, ratio, ratioaxis);
BENCHMARK_CAPTURE(BM_DefaultPlotNaive, ratio, ratioaxis);
BENCHMARK_CAPTURE(BM_DefaultPlot, pHo, int16_t(pHo));
BENCHMARK_CAPTURE(BM_DefaultPlotNaive, pHo, int16_t(pHo));

BENCHMARK_MAIN();
