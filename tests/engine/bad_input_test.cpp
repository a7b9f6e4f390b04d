// Whatever is typed: random strings and near-valid expressions through the
// check and through the sample cycle (as the calculator runs it, unchecked).
// Nothing may crash, read outside the arrays (the sanitizer build watches),
// run past the pass limit, return a non-finite value, or write a message
// that is not one of the engine's own.
#include "engine_support.h"
#include "input_generator_support.h"

#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"

#include <gtest/gtest.h>

#include <cmath>

namespace curvalia::engine::testing {
namespace {

void expectOneKnownMessageAtMost(const EngineRun& run, const std::string& text) {
    ASSERT_LE(run.messages.size(), 1u) << text;
    for (const std::string& m : run.messages)
        ASSERT_TRUE(isKnownMessage(m)) << '"' << m << "\" for \"" << text << '"';
}

TEST(BadInput, NeverCrashesHangsOrReportsAStrangeMessage) {
    BadInput input(42);
    EngineRun run;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = input.next();
        const double x = input.x();
        run.check(text);
        expectOneKnownMessageAtMost(run, text);

        // As the draw command: lower-cased, several samples after one
        // emptying, on the plain machine and through a recorded schedule.
        const std::string lowered = toLowerText(text);
        run.engine.emptyArrays();
        ReductionSchedule schedule(run.engine);
        schedule.record(lowered);
        for (int k = 0; k < 6; ++k) {
            run.messages.clear();
            run.engine.StopRequested = 0;
            const Sample s =
                k % 2 ? schedule.run(x + k) : run.engine.evaluateSample(lowered, x + k);
            ASSERT_TRUE(std::isfinite(s.value)) << text;
            // Every end but the normal one says why, and only it says so.
            const bool stopped = s.outcome == SampleOutcome::NothingToReduce;
            const char* why = s.outcome == SampleOutcome::StepLimit ? msg::kStepLimit
                              : stopped                             ? msg::kBrackets
                                                                    : nullptr;
            ASSERT_EQ(run.messages,
                      why ? std::vector<std::string>{why} : std::vector<std::string>{})
                << text;
            ASSERT_EQ(run.engine.StopRequested != 0, stopped) << text;
            ASSERT_TRUE(s.outcome == SampleOutcome::Normal || !s.defined) << text;
        }

        // As the calculator: as typed, with the separate calls.
        ASSERT_TRUE(std::isfinite(run.evaluate(text, x).value)) << text;
        expectOneKnownMessageAtMost(run, text);
    }
}

} // namespace
} // namespace curvalia::engine::testing
