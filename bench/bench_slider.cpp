// One slider step in the window, from the key event to the finished repaint of the plot surface, at the
// window's own size: the value from the position, every panel box rewritten, the whole redraw at the
// loop's next pass, and the repaint of the surface.
// Run on the offscreen platform unless another is chosen. Target: median under 2 ms.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "ui/mainwindow.h"
#include "ui/plotview.h"

using namespace kelvora;

namespace {

// Counts the paints of the plot surface, so that each step is known to end with one.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Passes of the event loop a step may take to end in a repaint.
constexpr int maxpasses = 4;

struct Window {
    QTemporaryDir dir; // the window writes Kelvora.ini into the working directory
    std::unique_ptr<MainWindow> form;
    PlotView* plot = nullptr;
    PaintCounter counter;

    Window() {
        QDir::setCurrent(dir.path());
        form = std::make_unique<MainWindow>();
        form->show();
        form->activateWindow();
        plot = form->findChild<PlotView*>(QStringLiteral("plotView"));
        plot->installEventFilter(&counter);
        QCoreApplication::processEvents();
    }
};

void step(benchmark::State& state, bool automatic) {
    Window window;
    if (automatic) window.form->findChild<QPushButton*>(QStringLiteral("automatic"))->click();
    auto* slider = window.form->findChild<QSlider*>(QStringLiteral("pHo slider"));
    bool down = true;
    int missed = 0;
    for (auto _ : state) {
        const int before = window.counter.paints;
        // Down and up in turn keep the thumb inside its track.
        QKeyEvent press(QEvent::KeyPress, down ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(slider, &press);
        // The redraw runs at the loop's next pass, its repaint at the one after.
        for (int pass = 0; pass < maxpasses && window.counter.paints == before; ++pass)
            QCoreApplication::processEvents();
        if (window.counter.paints == before) ++missed;
        down = !down;
    }
    if (missed > 0) state.SkipWithError("a step ended without a repaint of the plot");
    state.SetLabel(std::to_string(window.plot->width()) + "x" + std::to_string(window.plot->height()));
}

void BM_SliderStep(benchmark::State& state) {
    step(state, false);
}
void BM_SliderStepAutomatic(benchmark::State& state) {
    step(state, true);
}

BENCHMARK(BM_SliderStep)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_SliderStepAutomatic)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
