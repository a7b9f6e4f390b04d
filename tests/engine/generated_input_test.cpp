// Whatever is typed, through the check, the calculator's unchecked cycle and
// the draw command's samples, where the recorded schedule must match the plain
// machine bit for bit. Nothing may crash, read outside the arrays (the
// sanitizer build watches), or write a message that is not the engine's own.
#include "engine_support.h"
#include "input_generator_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace curvalia::engine::testing {
namespace {

// At most one message, and only one of the texts the engine may write.
void expectOneKnownMessageAtMost(const EngineRun& run, const std::string& text) {
    ASSERT_LE(run.messages.size(), 1u) << text;
    for (const std::string_view m : run.messages) {
        bool known = false;
        for (std::string_view f : {msg::kBrackets, msg::kStepLimit, msg::kBlank, msg::kMoreOpen,
                                   msg::kMoreClosed, msg::kEmptyBrackets, msg::kNeedOperator,
                                   msg::kBadStart, msg::kCheckBrackets, msg::kDecimalComma})
            known = known || m == f;
        const std::string_view unknown = msg::kUnknownWordPrefix;
        known =
            known || (m.size() > unknown.size() && m.starts_with(unknown)) ||
            (m.starts_with(msg::kRemoveOperatorPrefix) && m.ends_with(msg::kRemoveOperatorSuffix));
        ASSERT_TRUE(known) << '"' << m << "\" for \"" << text << '"';
    }
}

TEST(GeneratedInput, IsCheckedAndSampledAlikeByThePlainMachineAndTheSchedule) {
    BadInput input(2024);
    EngineRun calculator; // one engine for all, as the calculator keeps it
    for (int i = 0; i < 50000; ++i) {
        const std::string typed = input.next();
        calculator.check(typed);
        expectOneKnownMessageAtMost(calculator, typed);
        ASSERT_TRUE(std::isfinite(calculator.evaluate(typed, input.x()).value)) << typed;
        expectOneKnownMessageAtMost(calculator, typed);
        // Both the draw command's lower-cased text and the raw one.
        const std::string text = i % 2 ? typed : toLowerText(typed);
        const std::size_t n = kSpecialX.size();
        expectSameSamples(text,
                          {kSpecialX[i % n], kSpecialX[(i * 7 + 3) % n], input.x(), input.x()});
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace
} // namespace curvalia::engine::testing
