// The recorded schedule against the plain machine it was recorded from:
// every sample must match bit for bit, with the same counters, flags and
// messages, whatever the expression and whatever x.
#include "engine_support.h"
#include "input_generator_support.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace curvalia::engine::testing {
namespace {

// The edges of the number text: signed zeros, the ends of the double range,
// the plain/exponent switch-over, negative bases of "^" and odd roots.
const std::vector<double> kSpecialX = {
    0,    -0.0,   1e-300,   -1e-300,          1e300,  -1e300,  -2,     -8, 1e15,
    1e-5, 1.5e-7, -3.25e17, 99999999999999.9, 0.0001, 0.00009, 1.0 / 3};

TEST(ReductionSchedule, MatchesThePlainMachineOnGeneratedExpressions) {
    BadInput input(2024);
    int replayable = 0;
    for (int i = 0; i < 50000; ++i) {
        // Both the draw command's lower-cased text and the raw one.
        const std::string text = i % 2 ? input.next() : toLowerText(input.next());
        const std::size_t n = kSpecialX.size();
        expectSameSamples(text,
                          {kSpecialX[i % n], kSpecialX[(i * 7 + 3) % n], input.x(), input.x()});
        if (::testing::Test::HasFatalFailure())
            return;
        EngineRun run;
        ReductionSchedule s(run.engine);
        s.record(text);
        replayable += s.replayable() ? 1 : 0;
    }
    // The fallback to the plain machine is a safety net, not the way.
    EXPECT_EQ(replayable, 50000);
}

TEST(ReductionSchedule, MatchesThePlainMachineOnEveryKindOfEnd) {
    for (const char* expression : ::curvalia::testing::rows<const char*>(
             "sin(x)*x^2+3*x-1", "x", "ax", "", "7", "1e400", "(-x)", "2*(-x+1)", "(((-cos(x))))",
             "((1+2)*3)", "rad(3)(x^2+1)/(abs(x)+1)", "rad(x)(8)", "rad(0)(x)", "x^(1/3)", "x^x",
             "lge(x)+lgn(x)", "asin(x)*acos(x)", "1/x", "x*1e300*1e300", "2x", "(x+1)(x)", "-5)",
             "-x", "*5", "(sinxx)", "tg(x)^(-x)", "atg(x)+((rad(3)(e)))*(acos(0.5^3*0.5))"))
        expectSameSamples(expression, kSpecialX);
}

TEST(ReductionSchedule, RecordsTheSameStepsAtEveryX) {
    BadInput input(99);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = toLowerText(input.next());
        EngineRun run;
        ReductionSchedule reference(run.engine);
        reference.record(text, 0);
        for (double x : {-2.0, 1e300, -0.0, 1.5e-7, input.x()}) {
            ReductionSchedule other(run.engine);
            run.engine.emptyArrays();
            other.record(text, x);
            ASSERT_EQ(reference.describe(), other.describe()) << '"' << text << "\" at x = " << x;
        }
    }
}

TEST(ReductionSchedule, RecordingLeavesTheStatusLineAndStopFlagOfTheCommandAlone) {
    EngineRun run;
    run.engine.StopRequested = 0;
    ReductionSchedule schedule(run.engine);
    schedule.record("2x");
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(run.engine.StopRequested, 0);
}

} // namespace
} // namespace curvalia::engine::testing
