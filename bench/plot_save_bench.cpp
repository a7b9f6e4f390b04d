// Saving the plot and drawing it anew: PNG and SVG files of the default plot
// and of the fullest point record, the plot redrawn from its record at a
// maximized window's size, and the numbers on the axes. Built into plot_bench,
// whose main is in plot_draw_bench.cpp.
#include "bench/bench_host.h"
#include "engine/Engine.h"
#include "plot/DrawCommand.h"
#include "ui/plotview/AxisNumbers.h"
#include "ui/plotview/PlotExporter.h"
#include "ui/plotview/PlotSurfaceWidget.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <optional>

namespace {

using namespace curvalia;
using bench::BenchHost;

// Saving the plot: the default plot of sin(x) with its derivative written as
// PNG and as SVG (encoding and the atomic write together), the memory of the
// point record behind the SVG, the same for a 2,000,001-sample sweep (more
// points than the record holds: the SVG embeds the pixels), and the fullest
// record.
// The plot of sin(x) and its derivative over the default range, or with step.
void drawSin(ui::PlotSurfaceWidget& graph, const char* step = "0.01") {
    ui::PlotSurfaceWidget bar(ui::PlotSurfaceWidget::progressBarLook(QColor(240, 240, 240)));
    engine::Engine engine;
    plot::PlotSwitches switches;
    BenchHost host(nullptr);
    host.texts.step = step;
    plot::SteadyClock clock;
    plot::PlotModel model;
    plot::DrawCommand(engine, switches, graph, bar, host, clock, model).run();
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
    for (std::size_t i = 0; i < plot::PointRecord::kMaxPoints; ++i)
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

// The plot drawn anew from its record at 1600 x 1000 pixels (a maximized
// window): the default plot, and the fullest record. The size alternates by
// one row so that every iteration draws.
void resizeRerender(benchmark::State& state, ui::PlotSurfaceWidget& graph) {
    bool taller = false;
    for (auto _ : state) {
        graph.setDrawingSize(QSize(1600, taller ? 1001 : 1000));
        taller = !taller;
    }
    state.counters["record_points"] = static_cast<double>(graph.pointRecord().size());
}

void BM_ResizeRerender_default(benchmark::State& state) {
    ui::PlotSurfaceWidget graph(ui::PlotSurfaceWidget::graphLook());
    drawSin(graph);
    resizeRerender(state, graph);
}
BENCHMARK(BM_ResizeRerender_default)
    ->Name("BM_ResizeRerender/default")
    ->Unit(benchmark::kMillisecond);

void BM_ResizeRerender_twoMillion(benchmark::State& state) {
    ui::PlotSurfaceWidget graph(ui::PlotSurfaceWidget::graphLook());
    for (std::size_t i = 0; i < plot::PointRecord::kMaxPoints; ++i)
        graph.PSet(static_cast<float>(i % 6675), static_cast<float>((i / 6675) % 4635), 10 + i % 2);
    resizeRerender(state, graph);
}
BENCHMARK(BM_ResizeRerender_twoMillion)
    ->Name("BM_ResizeRerender/two_million")
    ->Unit(benchmark::kMillisecond);

// The numbers on the axes of the default range at 1600 x 1000: laid out and
// drawn, as after a resize.
void BM_AxisNumbers(benchmark::State& state) {
    const plot::PlotFrame frame{-10, 10, 20, 20, 2317.5};
    const ui::PlotMapping mapping = ui::PlotMapping().resized(QSize(1600, 1000));
    QImage image(1600, 1000, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (auto _ : state) {
        ui::AxisNumbersLayer layer([&] { return std::optional<plot::PlotFrame>(frame); });
        layer.setOn(true);
        QPainter painter(&image);
        layer.paint(painter, mapping);
    }
}
BENCHMARK(BM_AxisNumbers)->Unit(benchmark::kMillisecond);

} // namespace
