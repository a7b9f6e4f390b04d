// Helpers shared by the engine tests: one engine with its status messages
// collected, and the cycles the commands run on it.
#pragma once

#include "engine/Engine.h"
#include "engine/NumberText.h"
#include "engine/ReductionSchedule.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace curvalia::engine::testing {

struct EngineRun {
    Engine engine;
    std::vector<std::string> messages;

    EngineRun() {
        engine.setStatusSink([this](std::string_view m) { messages.emplace_back(m); });
    }

    // The calculator's cycle for one sample, with the separate calls: empty,
    // load with the number text of x, tokenize, StepCount := 0, evaluate.
    Engine::Sample evaluate(std::string_view expression, double x = 0) {
        messages.clear();
        tokenized(expression, x);
        engine.StepCount = 0;
        const double value = engine.Evaluate(x);
        return {value, engine.isDefined()};
    }
    // Chars after loading with the number text of x (up to the end marker).
    std::vector<std::string> loaded(std::string_view expression, double x = 0) {
        engine.emptyArrays();
        engine.LoadExpression(expression, numberText(x));
        return texts([this](int i) { return engine.chars(i); });
    }
    std::vector<std::string> tokenized(std::string_view expression, double x = 0) {
        loaded(expression, x);
        engine.Tokenize();
        return tokenList();
    }
    std::vector<std::string> tokenList() const {
        return texts([this](int i) { return engine.tokens(i); });
    }
    // The syntax check after emptying: "" when accepted, else its message.
    std::string check(std::string_view expression) {
        messages.clear();
        engine.emptyArrays();
        if (engine.CheckSyntax(expression) != messages.empty())
            return "the verdict disagrees with the messages";
        std::string all;
        for (const std::string& m : messages)
            all += m;
        return all;
    }

  private:
    template <class At> static std::vector<std::string> texts(At at) {
        std::vector<std::string> out;
        for (int i = 0; !at(i).empty(); ++i)
            out.emplace_back(at(i));
        return out;
    }
};

// Everything a sample leaves behind that the draw command or a later sample reads.
inline auto observe(const EngineRun& run, const Sample& s) {
    const Engine& e = run.engine;
    return std::make_tuple(std::bit_cast<std::uint64_t>(s.value), s.defined, s.outcome,
                           run.messages, e.DomainTally, e.DomainEvents, e.StepCount,
                           e.StopRequested, e.NextPos, e.ItemCount, e.SingleInGroup, e.GroupOpen);
}

// One expression at the given x values, as the draw command runs it: the
// plain machine on one engine, the recorded schedule on another, emptied
// once. Every sample is finite, and every end but the normal one says why,
// the bracket one also by StopRequested.
inline void expectSameSamples(const std::string& expression, const std::vector<double>& xs) {
    EngineRun plain, replayed;
    plain.engine.emptyArrays();
    replayed.engine.emptyArrays();
    ReductionSchedule schedule(replayed.engine);
    schedule.record(expression);
    ASSERT_TRUE(replayed.messages.empty() && replayed.engine.StopRequested == 0)
        << "recording wrote a message or kept the stop: " << expression;
    ASSERT_TRUE(schedule.replayable()) << expression; // the fallback is a safety net, not the way
    for (double x : xs) {
        for (EngineRun* run : {&plain, &replayed}) {
            run->messages.clear();
            run->engine.StopRequested = 0;
        }
        const Sample s = plain.engine.evaluateSample(expression, x);
        ASSERT_EQ(observe(plain, s), observe(replayed, schedule.run(x)))
            << '"' << expression << "\" at x = " << x;
        const bool stopped = s.outcome == SampleOutcome::NothingToReduce;
        const char* why = s.outcome == SampleOutcome::StepLimit ? msg::kStepLimit
                          : stopped                             ? msg::kBrackets
                                                                : nullptr;
        // The bracket message may carry a hint after it.
        ASSERT_EQ(plain.messages.size(), why ? 1u : 0u) << expression;
        ASSERT_TRUE(!why || plain.messages[0].starts_with(why)) << expression;
        ASSERT_TRUE(std::isfinite(s.value) && (s.outcome == SampleOutcome::Normal || !s.defined) &&
                    (plain.engine.StopRequested != 0) == stopped)
            << '"' << expression << "\" at x = " << x;
    }
}

} // namespace curvalia::engine::testing
