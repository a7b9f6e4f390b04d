// Values, domain counters and messages of the evaluator and the function library.
#include "engine_support.h"

#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <cmath>

namespace curvalia::engine::testing {
namespace {

struct V {
    const char* expression;
    double x, value;
    bool defined;
    const char* message = nullptr;
};

TEST(Evaluate, GivesValueDefinednessAndMessage) {
    for (const V& c : ::curvalia::testing::rows(
             // Left-grouping "^" (the reference evaluator covers the rest of precedence), a
             // "-" after a function's "(", and the empty expression.
             V{"2^3^2", 0, 64, true}, V{"sin(-x)", 1.5, -0.99749498660405445, true},
             V{"", 0, 0, true},
             // A negative base takes only whole exponents.
             V{"x^3", -2, -8, true}, V{"x^(1/3)", -8, 0, false},
             // A non-finite step result is never a value, nor is an x that overflows read back.
             V{"1/x", 0, 0, false}, V{"9^999", 0, 0, false},
             V{"x", 1.7976931348623157e308, 0, false},
             // Each domain error counts once; the placeholders stand in.
             V{"lge(0)+lge(0)", 0, 2, false}, V{"lgn(0)", 0, 1, false},
             // The open ends of the inverse functions' domains.
             V{"asin(1)", 0, 0, false}, V{"acos(x)", -1, 0, false},
             // Roots: even ones of negatives are undefined, any other index keeps the sign.
             V{"rad(2)(x)", -9, 0, false}, V{"rad(3)(x)", -27, -3, true},
             V{"rad(x)(32)", 2.5, 4, true}, V{"rad(x)(0-32)", 2.5, -4, true},
             V{"rad(0)(5)", 0, 0, false}, // the root of index 0 would divide by 0
             // Two operands side by side: the bracket message, and no value.
             V{"2x", 3, 0, false, msg::kBrackets}, V{"(x+1)(x)", 1, 0, false, msg::kBrackets},
             // An operator at the start (the calculator runs no check) takes 0 as its left operand,
             V{"-x", 2, -2, true}, V{"*5", 0, 0, true},
             // but a ")" without its "(" is no value.
             V{"-5)", 0, 0, false, msg::kBrackets},
             // A list that never gets shorter ends at the pass limit, with no value.
             V{"(sinxx)", 1, 0, false, msg::kStepLimit})) {
        SCOPED_TRACE(std::string(c.expression) + " at x = " + std::to_string(c.x));
        EngineRun run;
        const Engine::Sample s = run.evaluate(c.expression, c.x);
        EXPECT_NEAR(s.value, c.value, 1e-12 * std::max(1.0, std::fabs(c.value)));
        EXPECT_EQ(s.defined, c.defined);
        EXPECT_EQ(run.engine.DomainTally, -run.engine.DomainEvents);
        EXPECT_EQ(run.messages,
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        expectSameSamples(c.expression, {c.x});
    }
}

TEST(Evaluate, RoundsEveryStoredResultTo15DigitsButNotTheLast) {
    EngineRun run;
    const double third15 = textToNumber(".333333333333333");
    EXPECT_EQ(run.evaluate("1/3*3").value, third15 * 3);
    EXPECT_EQ(run.evaluate("1/3").value, 1.0 / 3);
    // The token list is consumed, leaving the stored result.
    EXPECT_EQ(run.tokenList(), std::vector<std::string>{" .333333333333333"});
    run.engine.StepCount = 0;
    EXPECT_EQ(run.engine.Evaluate(0), third15);
    // x arrives as its number text; only a letter x kept by the loader is x unrounded.
    EXPECT_EQ(run.evaluate("x", 1.0 / 3).value, third15);
    EXPECT_EQ(run.evaluate("ax", 1.0 / 3).value, 1.0 / 3);
}

} // namespace
} // namespace curvalia::engine::testing
