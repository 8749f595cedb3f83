// Cost of one whole redraw of the plot on the QImage surface (rows, curves, frame, ticks and labels) at
// the window's plot size (on an ordinary and on a HiDPI screen of twice the density), at full HD and at
// 4K, each beside a fill of the same image with one colour: the memory floor that no redraw can beat. The
// ratio of each pair is printed at the end, and the window's redraw at twice the density over the plain one.
#include "model/crossing.h"
#include "model/parameters.h"
#include "plot/crossingmarker.h"
#include "plot/qimagesurface.h"
#include "plot/redraw.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

using namespace kelvora;

namespace {

// Logical pixels, and device pixels per logical pixel.
struct Size {
    int width;
    int height;
    int scale;
};
constexpr Size sizes[] = {{defaultsurfacewidth, defaultsurfaceheight, 1},
                          {defaultsurfacewidth, defaultsurfaceheight, 2},
                          {1920, 1080, 1},
                          {3840, 2160, 1}};

// Redraws the factory state again and again at the benchmark's size; with crossing, the crossing
// marker over it, as the window draws it.
void redraws(benchmark::State& state, bool autoflag, bool autotoggle, bool crossing = false) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const int scale = static_cast<int>(state.range(2));
    ModelState s;
    buildtables(s);
    resetsettings(s);
    PlotState ps;
    initplotstate(ps, w, h, plotcolours::background, scale);
    QImageSurface surface(w * scale, h * scale, scale);
    for (auto _ : state) {
        benchmark::DoNotOptimize(redraw(autoflag, autotoggle, s, ps, surface, '.'));
        if (crossing) benchmark::DoNotOptimize(drawcrossingmarker(s, ps, surface));
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(w) + "x" + std::to_string(h));
}

void BM_Redraw(benchmark::State& state) {
    redraws(state, false, false);
}

// The same redraw with a fit of the limits first, as after a slider movement with automatic limits on.
void BM_RedrawAutomatic(benchmark::State& state) {
    redraws(state, true, true);
}

// The window's redraw: the plot, then the crossing marker over it.
void BM_RedrawWithCrossing(benchmark::State& state) {
    redraws(state, false, false, true);
}

void BM_Fill(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0) * state.range(2));
    const int h = static_cast<int>(state.range(1) * state.range(2));
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
        b->Args({size.width, size.height, size.scale});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Fill)->Apply(sizeargs);
BENCHMARK(BM_Redraw)->Apply(sizeargs);
BENCHMARK(BM_RedrawAutomatic)->Apply(sizeargs);
BENCHMARK(BM_RedrawWithCrossing)->Apply(sizeargs);

// The name Google Benchmark gives a run of the benchmark at a size: "BM_Fill/551/305/1".
std::string runname(const char* benchmark, const Size& size) {
    std::string name(benchmark);
    name += '/';
    name += std::to_string(size.width);
    name += '/';
    name += std::to_string(size.height);
    name += '/';
    name += std::to_string(size.scale);
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
                std::printf("  %-20s %5dx%-5d x%d %9.1f us / %8.1f us = %5.2f; %9.1f us / %8.1f us = %5.2f\n",
                            name, size.width, size.height, size.scale, r.real, f.real, r.real / f.real, r.cpu,
                            f.cpu, r.cpu / f.cpu);
            }
        }
        const auto plain = times_.find(runname("BM_Redraw", sizes[0]));
        const auto dense = times_.find(runname("BM_Redraw", sizes[1]));
        if (plain != times_.end() && dense != times_.end() && plain->second.real > 0)
            std::printf(
                "\nThe window's redraw at twice the density over the plain one: %.1f us / %.1f us = %.2f\n",
                dense->second.real, plain->second.real, dense->second.real / plain->second.real);
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
