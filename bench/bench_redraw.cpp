// Cost of one whole redraw of the plot on the QImage surface (rows, curves, frame, ticks and labels) at
// the window's plot size, at full HD and at 4K, each beside a fill of the same image with one colour:
// the memory floor that no redraw can beat. The ratio of each pair is printed at the end.
#include "model/crossing.h"
#include "model/parameters.h"
#include "plot/fastdraw.h"
#include "plot/qimagesurface.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

using namespace kelvora;

namespace {

struct Size {
    int width;
    int height;
};
constexpr Size sizes[] = {{defaultsurfacewidth, defaultsurfaceheight}, {1920, 1080}, {3840, 2160}};

// Redraws the factory state again and again at the benchmark's size.
void redraws(benchmark::State& state, int16_t autoflag, bool autotoggle) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    ModelState s;
    buildtables(s);
    resetsettings(s);
    PlotState ps;
    initplotstate(ps, w, h);
    QImageSurface surface(w, h);
    for (auto _ : state) {
        FastdrawResult result = fastdraw(autoflag, autotoggle, s, ps, surface, '.');
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h));
}

void BM_Redraw(benchmark::State& state) {
    redraws(state, 0, false);
}

// The same redraw with a fit of the limits first, as after a slider movement with automatic limits on.
void BM_RedrawAutomatic(benchmark::State& state) {
    redraws(state, 1, true);
}

void BM_Fill(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    QImageSurface surface(w, h);
    for (auto _ : state) {
        surface.fill(plotcolours::background);
        benchmark::DoNotOptimize(surface.image().constBits());
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h));
}

void sizeargs(benchmark::internal::Benchmark* b) {
    for (const Size& size : sizes)
        b->Args({size.width, size.height});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Fill)->Apply(sizeargs);
BENCHMARK(BM_Redraw)->Apply(sizeargs);
BENCHMARK(BM_RedrawAutomatic)->Apply(sizeargs);

// The name Google Benchmark gives a run of the benchmark at a size: "BM_Fill/551/305".
std::string runname(const char* benchmark, const Size& size) {
    std::string name(benchmark);
    name += '/';
    name += std::to_string(size.width);
    name += '/';
    name += std::to_string(size.height);
    return name;
}

// Console output as usual, then each redraw's time over the fill of the same size.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the median stands for the benchmark; otherwise its single run.
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
                medians_.insert(name);
            } else if (run.run_type == Run::RT_Iteration && !medians_.count(name)) {
                times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nRedraw time over fill time of the same image (wall clock; processor time):\n");
        for (const Size& size : sizes) {
            const auto fill = times_.find(runname("BM_Fill", size));
            if (fill == times_.end() || fill->second.real <= 0 || fill->second.cpu <= 0) continue;
            for (const char* name : {"BM_Redraw", "BM_RedrawAutomatic"}) {
                const auto redraw = times_.find(runname(name, size));
                if (redraw == times_.end()) continue;
                const Times& r = redraw->second;
                const Times& f = fill->second;
                std::printf("  %-20s %5dx%-5d %9.1f us / %8.1f us = %5.2f; %9.1f us / %8.1f us = %5.2f\n",
                            name, size.width, size.height, r.real, f.real, r.real / f.real, r.cpu, f.cpu,
                            r.cpu / f.cpu);
            }
        }
    }

  private:
    struct Times {
        double real;
        double cpu;
    };
    std::map<std::string, Times> times_;
    std::set<std::string> medians_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the label font needs it
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
