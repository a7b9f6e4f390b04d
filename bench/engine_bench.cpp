// Time of one plot sample. sampleCycle is the draw command's way: the
// reduction is recorded once, then replayed for every x. plainCycle is the
// plain machine's full cycle (load with the number text of x, tokenize,
// evaluate), which the calculator and the syntax check use. For comparison
// the polynomial also goes through muparser, parsed again for every x and
// parsed once.
//
// The standard flags work (--benchmark_format=json, --benchmark_repetitions,
// --benchmark_filter); the summary with the targets goes to stderr.
#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#ifdef CURVALIA_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

using curvalia::engine::Engine;
using curvalia::engine::ReductionSchedule;

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
    ReductionSchedule schedule(engine);
    schedule.record(expression);
    Sweep sweep;
    for (auto _ : state)
        benchmark::DoNotOptimize(schedule.run(sweep.next()));
}

void plainCycle(benchmark::State& state, const char* expression) {
    Engine engine;
    engine.emptyArrays();
    Sweep sweep;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.evaluateSample(expression, sweep.next()));
}

BENCHMARK_CAPTURE(sampleCycle, polynomial, kPolynomial);
BENCHMARK_CAPTURE(sampleCycle, root, kRoot);
BENCHMARK_CAPTURE(sampleCycle, plain_x, kPlainX);
BENCHMARK_CAPTURE(sampleCycle, longest_150, kLongest);
BENCHMARK_CAPTURE(plainCycle, polynomial, kPolynomial);
BENCHMARK_CAPTURE(plainCycle, root, kRoot);
BENCHMARK_CAPTURE(plainCycle, plain_x, kPlainX);
BENCHMARK_CAPTURE(plainCycle, longest_150, kLongest);

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

// Passes every run on to the reporter the flags chose, and keeps the CPU
// time per iteration of each benchmark (the median when repeated) for the
// summary. CPU time, because other programs share the machine.
template <class Base> class Recording : public Base {
  public:
    using Run = benchmark::BenchmarkReporter::Run;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.str();
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !medians_.count(name)))
                nanoseconds[name] = run.GetAdjustedCPUTime();
            if (median)
                medians_[name] = true;
        }
        Base::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;

  private:
    std::map<std::string, bool> medians_;
};

void printSummary(const std::map<std::string, double>& ns) {
    auto find = [&](const std::string& name) {
        const auto it = ns.find(name);
        return it == ns.end() ? -1.0 : it->second;
    };
    const double replay = find("sampleCycle/polynomial");
    const double longest = find("sampleCycle/longest_150");
    const double plain = find("plainCycle/polynomial");
    std::fprintf(stderr,
                 "\nPer sample, recorded and replayed: polynomial %.1f ns (target <= 100), "
                 "longest %.1f ns (target <= 2000)\n"
                 "Per sample, plain machine: polynomial %.1f ns (target <= 1000)\n",
                 replay, longest, plain);
    const double reparse = find("muparserReparse");
    const double once = find("muparserParsedOnce");
    if (replay > 0 && reparse > 0 && once > 0) {
        std::fprintf(stderr,
                     "muparser re-parsed per x: %.1f ns, %.1fx our replay (target >= 100x)\n",
                     reparse, reparse / replay);
        std::fprintf(
            stderr,
            "muparser parsed once: %.1f ns, our replay takes %.2fx its time (target <= 5x)\n", once,
            replay / once);
    } else {
        std::fprintf(stderr, "muparser not available or not run: comparison skipped\n");
    }
}

template <class Reporter> std::map<std::string, double> runAll() {
    Recording<Reporter> reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return reporter.nanoseconds;
}

} // namespace

int main(int argc, char** argv) {
    // The display format has to be known before Initialize takes the flags.
    std::string format = "console";
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_format=", 19) == 0)
            format = argv[i] + 19;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const std::map<std::string, double> ns =
        format == "json" ? runAll<benchmark::JSONReporter>() : runAll<benchmark::ConsoleReporter>();
    benchmark::Shutdown();
    printSummary(ns);
    return 0;
}
