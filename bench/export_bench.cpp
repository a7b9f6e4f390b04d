// Saving the plot: the default plot of sin(x) with its derivative written as
// PNG and as SVG (encoding and the atomic write together), the memory of the
// point record behind the SVG, and the same for a 2,000,001-sample sweep,
// whose record overflows so that its SVG embeds the pixels.
#include "engine/Engine.h"
#include "plot/DrawCommand.h"
#include "ui/PlotExporter.h"
#include "ui/PlotSurfaceWidget.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace curvalia;

class QuietHost final : public plot::PlotHost {
  public:
    void setStatus(std::string_view) override {}
    void setInputsEnabled(bool) override {}
    bool eventsPending() override { return false; }
    void yield() override {}
    void repaint() override {}
    bool closeRequested() override { return false; }
    std::string expressionText() override { return "sin(x)"; }
    plot::RangeTexts rangeTexts() override { return texts; }
    bool drawFunctionChecked() override { return true; }
    bool drawDerivativeChecked() override { return true; }
    plot::RangeTexts texts;
};

// The plot of sin(x) and its derivative over the default range, or with step.
void drawSin(ui::PlotSurfaceWidget& graph, const char* step = "0.01") {
    ui::PlotSurfaceWidget bar(ui::PlotSurfaceWidget::progressBarLook(QColor(240, 240, 240)));
    engine::Engine engine;
    plot::PlotSwitches switches;
    QuietHost host;
    host.texts.step = step;
    plot::SteadyClock clock;
    plot::DrawCommand(engine, switches, graph, bar, host, clock).run();
}

void save(benchmark::State& state, const char* step, const char* name) {
    ui::PlotSurfaceWidget graph(ui::PlotSurfaceWidget::graphLook());
    drawSin(graph, step);
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    for (auto _ : state) {
        if (!ui::savePlot(graph, path).isEmpty())
            state.SkipWithError("save failed");
    }
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(path).size());
    state.counters["record_points"] = static_cast<double>(graph.pointRecord().size());
    state.counters["record_bytes"] = static_cast<double>(graph.pointRecord().memoryBytes());
    state.counters["record_overflowed"] = graph.pointRecord().overflowed();
}

void BM_SaveDefaultPlotPng(benchmark::State& state) {
    save(state, "0.01", "grafico.png");
}
BENCHMARK(BM_SaveDefaultPlotPng)->Unit(benchmark::kMillisecond);

void BM_SaveDefaultPlotSvg(benchmark::State& state) {
    save(state, "0.01", "grafico.svg");
}
BENCHMARK(BM_SaveDefaultPlotSvg)->Unit(benchmark::kMillisecond);

void BM_SaveFineSweepSvg(benchmark::State& state) {
    save(state, "0.00001", "fine.svg");
}
BENCHMARK(BM_SaveFineSweepSvg)->Unit(benchmark::kMillisecond)->Iterations(5);

// The largest record, just below its bound: what the memory peaks at.
void BM_SaveFullRecordSvg(benchmark::State& state) {
    ui::PlotSurfaceWidget graph(ui::PlotSurfaceWidget::graphLook());
    for (std::size_t i = 0; i < ui::PointRecord::kMaxPoints; ++i)
        graph.PSet(static_cast<float>(i % 6675), static_cast<float>((i / 6675) % 4635), 10 + i % 2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pieno.svg"));
    for (auto _ : state)
        ui::savePlot(graph, path);
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(path).size());
    state.counters["record_points"] = static_cast<double>(graph.pointRecord().size());
    state.counters["record_bytes"] = static_cast<double>(graph.pointRecord().memoryBytes());
}
BENCHMARK(BM_SaveFullRecordSvg)->Unit(benchmark::kMillisecond)->Iterations(3);

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
