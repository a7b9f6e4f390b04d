// Draw command timings: the default plot from command to last point on an
// in-memory surface and on the real image-backed surface (also with joined
// lines), a 2,000,000 sample sweep measured against the engine alone on the
// same samples, and exploring the plot in the main window (zoom, trace).
// Saving and drawing anew at another size are in plot_save_bench.cpp; both
// make plot_bench.
#include "bench/bench_host.h"
#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"
#include "plot/DrawCommand.h"
#include "ui/host/QtEventQueue.h"
#include "ui/main/MainWindow.h"
#include "ui/plotview/PlotSurfaceWidget.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

using namespace curvalia;
using bench::BenchHost;

// Keeps the points in a preallocated array, as cheap as a surface can be
// while still holding what was drawn.
class MemorySurface final : public plot::Surface {
  public:
    struct Dot {
        float x, y;
        int colour;
    };
    MemorySurface() { dots.reserve(1 << 16); }
    void PSet(float x, float y, int colour) override {
        if (dots.size() < dots.capacity())
            dots.push_back({x, y, colour});
    }
    void Cls() override { dots.clear(); }
    void setDrawWidth(int) override {}
    std::vector<Dot> dots;
};

// The plot and the progress bar as the main window shows them, with the
// event queue the window's host yields to.
struct ShownSurfaces {
    ShownSurfaces() {
        graph.show();
        bar.show();
        QApplication::processEvents();
    }
    ui::PlotSurfaceWidget graph{ui::PlotSurfaceWidget::graphLook()};
    ui::PlotSurfaceWidget bar{ui::PlotSurfaceWidget::progressBarLook(QColor(240, 240, 240))};
    ui::QtEventQueue events{&graph, &bar};
};

void defaultPlot(benchmark::State& state, plot::Surface& graph, plot::Surface& bar,
                 ui::QtEventQueue* events, const plot::Appearance& look = {}) {
    engine::Engine engine;
    plot::PlotSwitches switches;
    switches.GridOn = plot::kTrue;
    BenchHost host(events);
    plot::SteadyClock clock;
    plot::PlotModel model;
    plot::DrawCommand command(engine, switches, graph, bar, host, clock, model);
    command.setAppearance(look);
    for (auto _ : state)
        command.run();
    state.SetItemsProcessed(state.iterations() * 2001);
}

void BM_DefaultPlotInMemory(benchmark::State& state) {
    MemorySurface graph;
    MemorySurface bar;
    defaultPlot(state, graph, bar, nullptr);
}
BENCHMARK(BM_DefaultPlotInMemory)->Unit(benchmark::kMillisecond);

void BM_DefaultPlotImageSurface(benchmark::State& state) {
    ShownSurfaces shown;
    defaultPlot(state, shown.graph, shown.bar, &shown.events);
}
BENCHMARK(BM_DefaultPlotImageSurface)->Unit(benchmark::kMillisecond);

// The same with joined lines: at most three times the dots above.
void BM_ConnectedSweep(benchmark::State& state) {
    ShownSurfaces shown;
    plot::Appearance look;
    look.continuousLines = true;
    defaultPlot(state, shown.graph, shown.bar, &shown.events, look);
}
BENCHMARK(BM_ConnectedSweep)->Unit(benchmark::kMillisecond);

// The look for a projector: white, the widest dots, grid lines.
void BM_DefaultPlotImageSurfaceProjector(benchmark::State& state) {
    ShownSurfaces shown;
    shown.graph.setBackground(plot::Background::White);
    defaultPlot(state, shown.graph, shown.bar, &shown.events,
                {plot::Background::White, plot::Appearance::kMaxThickness, false,
                 plot::AxisNumberSize::Large, plot::GridStyle::Lines});
}
BENCHMARK(BM_DefaultPlotImageSurfaceProjector)->Unit(benchmark::kMillisecond);

// The same samples as the sweep, through the engine only, the way the sweep
// uses it: recorded once, replayed per sample.
double engineSeconds(engine::Engine& engine, const std::string& expression, double step) {
    const auto start = std::chrono::steady_clock::now();
    double sum = 0;
    engine.emptyArrays();
    engine::ReductionSchedule schedule(engine);
    schedule.record(expression);
    for (double x = -10; x <= 10; x += step)
        sum += schedule.run(x).value;
    benchmark::DoNotOptimize(sum);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The sweep's own cost (mapping, drawing, progress, yield checks) against the
// engine's, for a cheap expression and for the engine benchmark's polynomial.
const char* const kSweepExpressions[] = {"sin(x)", "sin(x)*x^2+3*x-1"};

// Draws nothing: what the sweep costs without any pixel writes.
class NullSurface final : public plot::Surface {
  public:
    void PSet(float, float, int) override {}
    void Cls() override {}
    void setDrawWidth(int) override {}
};

void sweep2MillionSamples(benchmark::State& state, plot::Surface& graph, plot::Surface& bar,
                          ui::QtEventQueue* events) {
    const std::string expression = kSweepExpressions[state.range(0)];
    state.SetLabel(expression);
    const double step = 0.00001;
    const double samples = 2000001;
    engine::Engine engine;
    plot::PlotSwitches switches;
    BenchHost host(events, expression);
    host.texts.step = "0.00001";
    plot::SteadyClock clock;
    plot::PlotModel model;
    plot::DrawCommand command(engine, switches, graph, bar, host, clock, model);
    double sweepTotal = 0;
    double engineTotal = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        command.run();
        sweepTotal +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        engineTotal += engineSeconds(engine, expression, step);
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["sweep_samples_per_s"] = samples * n / sweepTotal;
    state.counters["engine_samples_per_s"] = samples * n / engineTotal;
    state.counters["sweep_vs_engine"] = engineTotal / sweepTotal;
}

void BM_Sweep2MillionSamplesImageSurface(benchmark::State& state) {
    ShownSurfaces shown;
    sweep2MillionSamples(state, shown.graph, shown.bar, &shown.events);
}
BENCHMARK(BM_Sweep2MillionSamplesImageSurface)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->Iterations(3);

// The same without pixels or events: the mapping, the slope and the checks alone.
void BM_Sweep2MillionSamplesNullSurface(benchmark::State& state) {
    NullSurface graph;
    NullSurface bar;
    sweep2MillionSamples(state, graph, bar, nullptr);
}
BENCHMARK(BM_Sweep2MillionSamplesNullSurface)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kSecond)
    ->Iterations(3);

// The slow mode ("Speed Disattivato"): a yield after every sample, on the
// real surfaces and the real event loop, as the main window runs it.
void BM_SweepYieldEachSample(benchmark::State& state) {
    ShownSurfaces shown;
    ui::PlotSurfaceWidget& graph = shown.graph;
    ui::PlotSurfaceWidget& bar = shown.bar;
    engine::Engine engine;
    plot::PlotSwitches switches;
    switches.YieldEachSample = plot::kTrue;
    BenchHost host(&shown.events, "sin(x)");
    host.texts.step = "0.0001";
    const double samples = 200001;
    plot::SteadyClock clock;
    plot::PlotModel model;
    plot::DrawCommand command(engine, switches, graph, bar, host, clock, model);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        command.run();
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["samples_per_s"] = samples * static_cast<double>(state.iterations()) / total;
}
BENCHMARK(BM_SweepYieldEachSample)->Unit(benchmark::kMillisecond)->Iterations(3);

// CPU time of this thread, in seconds: the machine's other work does not
// count against one event.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Exploring the plot through the real main window, offscreen, at 1600 x 1000:
// one event per iteration, from the event to a plot ready to paint.
struct ExploredWindow {
    // The first expression is drawn with f'; the others are drawn after it
    // with "Non Cancellare" on, each with f' too. No size: the window's own.
    explicit ExploredWindow(std::vector<const char*> expressions, bool large = true) {
        if (large)
            window.resize(1600, 1000);
        window.show();
        QApplication::processEvents();
        graph = window.findChild<ui::PlotSurfaceWidget*>(QStringLiteral("Graph"));
        fx = window.findChild<QLineEdit*>(QStringLiteral("MyFx"));
        window.findChild<QAction*>(QStringLiteral("derpri"))->trigger();
        for (std::size_t i = 0; i < expressions.size(); ++i) {
            if (i == 1)
                window.findChild<QAction*>(QStringLiteral("noncancellare"))->trigger();
            fx->setText(QString::fromUtf8(expressions[i]));
            emit fx->returnPressed();
            QApplication::processEvents();
        }
    }
    explicit ExploredWindow(const char* expression) : ExploredWindow(std::vector{expression}) {}
    void counter(benchmark::State& state, double seconds) {
        state.counters["per_event_us"] = seconds * 1e6 / static_cast<double>(state.iterations());
        state.counters["plot_width"] = graph->width();
    }
    ui::MainWindow window;
    ui::PlotSurfaceWidget* graph = nullptr;
    QLineEdit* fx = nullptr;
};

// One notch of the wheel on the default plot with f'; notches go in and out
// in turn, so every one draws the same two views.
void zoomStep(benchmark::State& state, std::vector<const char*> expressions) {
    ExploredWindow explored(std::move(expressions));
    const QPointF at(explored.graph->width() * 0.4, explored.graph->height() * 0.6);
    int direction = 1;
    const double start = threadSeconds();
    for (auto _ : state) {
        QWheelEvent event(at, explored.graph->mapToGlobal(at), {}, QPoint(0, 120 * direction),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(explored.graph, &event);
        direction = -direction;
    }
    explored.counter(state, threadSeconds() - start);
}
BENCHMARK_CAPTURE(zoomStep, default, std::vector{"sin(x)"})
    ->Name("BM_ZoomStep/default")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(zoomStep, five_curves,
                  std::vector{"sin(x)", "cos(x)", "x^2/10", "(x^3-3*x)/10", "lgn(abs(x))"})
    ->Name("BM_ZoomStep/five_curves")
    ->Unit(benchmark::kMicrosecond);

// One keystroke in the expression box with "Disegno automatico" on, at the
// window's own size: from "x^2+" (refused) to "x^2+1", to the plot ready.
// The Backspace that goes back to "x^2+" is not counted.
void BM_LiveRedraw(benchmark::State& state) {
    ExploredWindow explored({"x^2"}, false);
    explored.window.findChild<QAction*>(QStringLiteral("disegnoAutomatico"))->trigger();
    explored.fx->setFocus();
    explored.fx->setText(QStringLiteral("x^2+"));
    const auto press = [&](Qt::Key key, const QString& text) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(explored.fx, &event);
    };
    double total = 0;
    for (auto _ : state) {
        const double start = threadSeconds();
        press(Qt::Key_1, QStringLiteral("1"));
        total += threadSeconds() - start;
        press(Qt::Key_Backspace, QString());
    }
    if (explored.fx->text() != QStringLiteral("x^2+"))
        state.SkipWithError("the keys did not reach the expression box");
    explored.counter(state, total);
}
BENCHMARK(BM_LiveRedraw)->Unit(benchmark::kMicrosecond);

// One pointer move with the trace on, each to another column, so that every
// move computes a new sample's read-out.
void traceMove(benchmark::State& state, const char* expression) {
    ExploredWindow explored(expression);
    explored.window.findChild<QAction*>(QStringLiteral("traccia"))->trigger();
    const int width = explored.graph->width() - 2;
    const double y = explored.graph->height() / 2.0;
    int column = 0;
    const double start = threadSeconds();
    for (auto _ : state) {
        column = (column + 37) % width;
        const QPointF at(column + 1, y);
        QMouseEvent event(QEvent::MouseMove, at, explored.graph->mapToGlobal(at), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(explored.graph, &event);
    }
    explored.counter(state, threadSeconds() - start);
}
BENCHMARK_CAPTURE(traceMove, sin, "sin(x)")->Name("BM_TraceMove/sin");
// The engine benchmark's longest expression, 150 characters.
BENCHMARK_CAPTURE(traceMove, longest_150,
                  "sin(x)*x^2+3*x-1+cos(x)/(abs(x)+1)-lge(abs(x)+2)*atg(x/"
                  "3)+rad(3)(x^2+1)-tg(x/7)*2.5+(x-1)*(x+1)/"
                  "(x^2+4)+lgn(x^2+10)-acos(0.3)*asin(0.2)+x^3/100+2.25*x")
    ->Name("BM_TraceMove/longest_150");

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
