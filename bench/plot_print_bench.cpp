// The printed page: the default plot (sin(x) and its derivative on the
// default range, step 0.01) drawn anew from its model onto an A4 PDF page in
// memory, title and legend included. Built into plot_bench, whose main is
// in plot_draw_bench.cpp.
#include "bench/bench_host.h"
#include "engine/Engine.h"
#include "plot/DrawCommand.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/print/PlotPage.h"

#include <benchmark/benchmark.h>

namespace {

using namespace curvalia;

void BM_ExportPdf(benchmark::State& state) {
    ui::PlotSurfaceWidget graph(ui::PlotSurfaceWidget::graphLook());
    ui::PlotSurfaceWidget bar(ui::PlotSurfaceWidget::progressBarLook(QColor(240, 240, 240)));
    engine::Engine engine;
    plot::PlotSwitches switches;
    bench::BenchHost host(nullptr);
    plot::SteadyClock clock;
    plot::PlotModel model;
    plot::DrawCommand draw(engine, switches, graph, bar, host, clock, model);
    draw.run();
    if (!model.view()) {
        state.SkipWithError("nothing drawn");
        return;
    }
    ui::PlotPage page(draw, *model.view(), true, {});
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = static_cast<std::size_t>(ui::plotPdf(page).size());
    if (bytes == 0)
        state.SkipWithError("no PDF");
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond);

} // namespace
