// Time of one study of a function over the default view (-10..10, step
// 0.01): the samples, every refinement and the intervals. The budgets are
// 1 ms for the short expressions, 10 ms for the longest the expression box
// takes and 5 ms for sin(x) against four other curves. Then the 3 seconds of
// the sound of sin(x) over the same view, from its study: one sample of f
// for each sample of sound (66150 of them).
#include "analysis/CurveSound.h"
#include "analysis/FunctionStudy.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using curvalia::analysis::FunctionStudy;
using curvalia::analysis::StudyRange;

constexpr StudyRange kDefaultView{-10, 10, -10, 10, 0.01};

void study(benchmark::State& state, const char* expression, std::vector<std::string> others) {
    FunctionStudy studies;
    for (auto _ : state)
        benchmark::DoNotOptimize(studies.study(expression, kDefaultView, others));
}

BENCHMARK_CAPTURE(study, cubic, "x^3-3*x", std::vector<std::string>{})
    ->Name("BM_Study/cubic")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(study, sin, "sin(x)", std::vector<std::string>{})
    ->Name("BM_Study/sin")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(study, rational, "(x^2-4)/(x-1)", std::vector<std::string>{})
    ->Name("BM_Study/rational")
    ->Unit(benchmark::kMillisecond);
// The engine benchmark's longest expression, 150 characters.
BENCHMARK_CAPTURE(study, longest_150,
                  "sin(x)*x^2+3*x-1+cos(x)/(abs(x)+1)-lge(abs(x)+2)*atg(x/"
                  "3)+rad(3)(x^2+1)-tg(x/7)*2.5+(x-1)*(x+1)/"
                  "(x^2+4)+lgn(x^2+10)-acos(0.3)*asin(0.2)+x^3/100+2.25*x",
                  std::vector<std::string>{})
    ->Name("BM_Study/longest_150")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(study, five_curves, "sin(x)",
                  std::vector<std::string>{"cos(x)", "x^2/10", "(x^3-3*x)/10", "lgn(abs(x))"})
    ->Name("BM_Study/five_curves")
    ->Unit(benchmark::kMillisecond);

void sound(benchmark::State& state) {
    FunctionStudy studies;
    const curvalia::analysis::Study sine = studies.study("sin(x)", kDefaultView);
    curvalia::analysis::CurveSound sounds;
    for (auto _ : state)
        benchmark::DoNotOptimize(sounds.make(sine, kDefaultView));
}
BENCHMARK(sound)->Name("BM_CurveSound/sin")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
