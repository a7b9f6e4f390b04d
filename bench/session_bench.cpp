// Opening a session: the file read and checked, the state replaced and its
// curves drawn, in the real main window at its own size, offscreen. Part of
// plot_bench, whose main is in plot_draw_bench.cpp.
#include "session/SessionCodec.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SessionActions.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace curvalia;

// Ten curves, each with f and f', over the default range.
std::string tenCurves() {
    const char* expressions[] = {"sin(x)", "cos(x)", "x^2/10",   "x^3/50-x",  "tg(x)",
                                 "1/x",    "abs(x)", "exp(x/5)", "lgn(x+11)", "x"};
    session::Session s;
    std::int16_t colour = 1;
    for (const char* expression : expressions)
        s.curves.push_back({expression, colour++, std::nullopt, true, true, true});
    return session::writeSession(s);
}

void BM_OpenSession(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("dieci.curvalia"));
    QFile file(path);
    const std::string bytes = tenCurves();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        state.SkipWithError("cannot write the session");
        return;
    }
    file.close();
    ui::MainWindow window;
    window.show();
    QApplication::processEvents();
    ui::SessionActions& sessions = *window.sessions();
    QString refused;
    sessions.showError = [&](const QString& text) { refused = text; };
    for (auto _ : state)
        benchmark::DoNotOptimize(sessions.open(path));
    if (!refused.isEmpty() || window.plotModel().size() != 10)
        state.SkipWithError(("refused: " + refused.toStdString()).c_str());
}
BENCHMARK(BM_OpenSession)->Name("BM_OpenSession/ten_curves")->Unit(benchmark::kMillisecond);

} // namespace
