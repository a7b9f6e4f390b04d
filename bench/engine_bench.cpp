// Time of one plot sample: load the expression with the number text of x,
// tokenize, evaluate. The arrays are emptied once, as the draw command does
// once per draw. For comparison the same function goes through muparser,
// parsed again for every x (what our engine does) and parsed once.
#include "engine/Engine.h"
#include "engine/NumberText.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#ifdef CURVALIA_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

using curvalia::engine::Engine;

constexpr const char* kPolynomial = "sin(x)*x^2+3*x-1";
constexpr const char* kRoot = "rad(3)(x^2+1)/(abs(x)+1)";
constexpr const char* kPlainX = "x";
// 150 characters, the most the expression box takes.
constexpr const char* kLongest = "sin(x)*x^2+3*x-1+cos(x)/(abs(x)+1)-lge(abs(x)+2)*atg(x/"
                                 "3)+rad(3)(x^2+1)-tg(x/7)*2.5+(x-1)*(x+1)/"
                                 "(x^2+4)+lgn(x^2+10)-acos(0.3)*asin(0.2)+x^3/100+2.25*x";

// x sweeps a plot range the way the draw command steps through it.
struct Sweep {
    double x = -10;
    double next() {
        x += 0.0137;
        if (x > 10)
            x = -10;
        return x;
    }
};

void sampleCycle(benchmark::State& state, const char* expression) {
    Engine engine;
    engine.emptyArrays();
    Sweep sweep;
    for (auto _ : state) {
        const Engine::Sample s = engine.evaluateSample(expression, sweep.next());
        benchmark::DoNotOptimize(s);
    }
}

// The same cycle through the separate calls, as a caller that formats x
// itself would make them.
void separateCalls(benchmark::State& state, const char* expression) {
    Engine engine;
    engine.emptyArrays();
    Sweep sweep;
    char text[curvalia::engine::kNumberTextCapacity];
    for (auto _ : state) {
        const double x = sweep.next();
        const int n = curvalia::engine::formatNumberText(x, text);
        engine.LoadExpression(expression, std::string_view(text, static_cast<std::size_t>(n)));
        engine.Tokenize();
        engine.StepCount = 0;
        const double v = engine.Evaluate(x);
        benchmark::DoNotOptimize(v);
    }
}

BENCHMARK_CAPTURE(sampleCycle, polynomial, kPolynomial);
BENCHMARK_CAPTURE(sampleCycle, root, kRoot);
BENCHMARK_CAPTURE(sampleCycle, plain_x, kPlainX);
BENCHMARK_CAPTURE(sampleCycle, longest_150, kLongest);
BENCHMARK_CAPTURE(separateCalls, polynomial, kPolynomial);

#ifdef CURVALIA_HAVE_MUPARSER
void muparserReparse(benchmark::State& state) {
    mu::Parser parser;
    double x = 0;
    parser.DefineVar("x", &x);
    Sweep sweep;
    for (auto _ : state) {
        x = sweep.next();
        parser.SetExpr(kPolynomial);
        benchmark::DoNotOptimize(parser.Eval());
    }
}

void muparserParsedOnce(benchmark::State& state) {
    mu::Parser parser;
    double x = 0;
    parser.DefineVar("x", &x);
    parser.SetExpr(kPolynomial);
    Sweep sweep;
    for (auto _ : state) {
        x = sweep.next();
        benchmark::DoNotOptimize(parser.Eval());
    }
}

BENCHMARK(muparserReparse);
BENCHMARK(muparserParsedOnce);
#endif

// Keeps the CPU time per iteration of every run so that main can print
// ratios; CPU time, because other programs share the machine.
class RecordingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

void printSummary(const std::map<std::string, double>& ns) {
    auto find = [&](const std::string& name) {
        const auto it = ns.find(name);
        return it == ns.end() ? -1.0 : it->second;
    };
    const double ours = find("sampleCycle/polynomial");
    const double longest = find("sampleCycle/longest_150");
    std::printf(
        "\nPer sample: polynomial %.0f ns (target <= 1000), longest %.0f ns (target <= 20000)\n",
        ours, longest);
    const double reparse = find("muparserReparse");
    const double once = find("muparserParsedOnce");
    if (ours > 0 && reparse > 0 && once > 0) {
        std::printf("muparser re-parsed per x: %.0f ns, ratio %.1fx (target >= 10x)\n", reparse,
                    reparse / ours);
        std::printf("muparser parsed once:     %.0f ns, ratio %.2fx\n", once, once / ours);
    } else {
        std::printf("muparser not available: comparison skipped\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter.nanoseconds);
    return 0;
}
