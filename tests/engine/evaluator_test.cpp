// Values, domain counters and messages of the rewriting evaluator and of
// the function library.
#include "engine_support.h"

#include "engine/Messages.h"
#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace curvalia::engine::testing {
namespace {

struct ValueCase {
    const char* expression;
    double x;
    double value;
    bool defined;
    const char* message; // nullptr: no message
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << '"' << c.expression << "\" at x = " << c.x;
}

class EvaluateTable : public ::testing::TestWithParam<ValueCase> {};

TEST_P(EvaluateTable, GivesValueDefinednessAndMessage) {
    const ValueCase& c = GetParam();
    EngineRun run;
    const Engine::Sample s = run.evaluate(c.expression, c.x);
    EXPECT_NEAR(s.value, c.value, 1e-12 * std::max(1.0, std::fabs(c.value)));
    EXPECT_EQ(s.defined, c.defined);
    EXPECT_EQ(run.engine.DomainTally, -run.engine.DomainEvents);
    const std::vector<std::string> expected =
        c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
    EXPECT_EQ(run.messages, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, EvaluateTable,
    ::testing::Values(
        ValueCase{"2+3*4^2", 0, 50, true, nullptr}, ValueCase{"2^3^2", 0, 64, true, nullptr},
        ValueCase{"8/2*2", 0, 8, true, nullptr}, ValueCase{"2-3+4", 0, 3, true, nullptr},
        ValueCase{"(1+2)*(3+4)", 0, 21, true, nullptr},
        ValueCase{"(2*(3+4))", 0, 14, true, nullptr}, ValueCase{"5", 0, 5, true, nullptr},
        ValueCase{"(-5)", 0, -5, true, nullptr}, ValueCase{"2*(-5)", 0, -10, true, nullptr},
        ValueCase{"2*(-x+1)", 1.5, -1, true, nullptr}, ValueCase{"(-x)^2", 3, 9, true, nullptr},
        ValueCase{"(-x^2)", 3, -9, true, nullptr},
        ValueCase{"sin(-x)", 1.5, -0.99749498660405445, true, nullptr},
        ValueCase{"x*e+p", 1, 2.718281828 + 3.141592654, true, nullptr},
        ValueCase{"", 0, 0, true, nullptr}));

INSTANTIATE_TEST_SUITE_P(RedundantParentheses, EvaluateTable,
                         ::testing::Values(ValueCase{"((1+2)*3)", 0, 9, true, nullptr},
                                           ValueCase{"2*((x+1))", 1, 4, true, nullptr},
                                           ValueCase{"sin(((x)))", 1, 0.8414709848078965, true,
                                                     nullptr},
                                           ValueCase{"((5))", 0, 5, true, nullptr},
                                           ValueCase{"(((-cos(0))))", 0, -1, true, nullptr},
                                           ValueCase{"(((-cos(0))))+0", 0, -1, true, nullptr},
                                           ValueCase{"((((x))))^2", 3, 9, true, nullptr},
                                           ValueCase{"atg(x)+((rad(3)(e)))*(acos(0.5^3*0.5))", -0.7,
                                                     1.494214242209321, true, nullptr}));

INSTANTIATE_TEST_SUITE_P(
    PowersAndDomains, EvaluateTable,
    ::testing::Values(
        ValueCase{"x^2", -2, 4, true, nullptr}, ValueCase{"x^2", -1.5, 2.25, true, nullptr},
        ValueCase{"x^3", -2, -8, true, nullptr}, ValueCase{"x^(1/3)", -8, 0, false, nullptr},
        ValueCase{"x^0.5", 4, 2, true, nullptr},
        // A non-finite step result is never a value.
        ValueCase{"1/0", 0, 0, false, nullptr}, ValueCase{"1/x", 0, 0, false, nullptr},
        ValueCase{"9^999", 0, 0, false, nullptr}, ValueCase{"0^(0-1)", 0, 0, false, nullptr},
        ValueCase{"x*10", 1.7976931348623157e308, 0, false, nullptr},
        // Each domain error counts once; the placeholders stand in.
        ValueCase{"lge(0)+lge(0)", 0, 2, false, nullptr}));

INSTANTIATE_TEST_SUITE_P(
    Functions, EvaluateTable,
    ::testing::Values(
        ValueCase{"lge(1)", 0, 0, true, nullptr}, ValueCase{"lge(0)", 0, 1, false, nullptr},
        ValueCase{"lge(x)", -1, 1, false, nullptr},
        ValueCase{"lge(e)", 0, std::log(2.718281828), true, nullptr},
        ValueCase{"lgn(100)", 0, 2, true, nullptr}, ValueCase{"lgn(0)", 0, 1, false, nullptr},
        ValueCase{"asin(1)", 0, 0, false, nullptr}, ValueCase{"acos(x)", -1, 0, false, nullptr},
        ValueCase{"asin(0.5)", 0, 0.52359877559829893, true, nullptr},
        ValueCase{"acos(0)", 0, 1.5707963267948966, true, nullptr},
        ValueCase{"atg(1)", 0, 0.78539816339744828, true, nullptr},
        ValueCase{"abs(-3)", 0, 3, true, nullptr}, ValueCase{"abs(x)", -3, 3, true, nullptr},
        ValueCase{"tg(x)", 1, std::tan(1.0), true, nullptr},
        ValueCase{"cos(p)", 0, std::cos(3.141592654), true, nullptr},
        ValueCase{"rad(2)(9)", 0, 3, true, nullptr}, ValueCase{"rad(2)(x)", -9, 0, false, nullptr},
        ValueCase{"rad(3)(x)", -27, -3, true, nullptr},
        ValueCase{"rad(3)(x)", -8, -2, true, nullptr},
        ValueCase{"rad(x)(32)", 2.5, 4, true, nullptr},
        ValueCase{"rad(x)(0-32)", 2.5, -4, true, nullptr},
        // The root of index 0 would divide by 0.
        ValueCase{"rad(0)(5)", 0, 0, false, nullptr},
        ValueCase{"rad(3)(x^2+1)/(abs(x)+1)", 1.5, 0.59249921368147596, true, nullptr}));

INSTANTIATE_TEST_SUITE_P(
    NothingToReduce, EvaluateTable,
    ::testing::Values(
        // Two operands side by side: the bracket message, and no value.
        ValueCase{"2x", 3, 0, false, msg::kBrackets}, ValueCase{"1e5", 0, 0, false, msg::kBrackets},
        ValueCase{"(x+1)(x)", 1, 0, false, msg::kBrackets},
        // An operator at the start (the calculator runs no check) takes 0 as
        // its left operand.
        ValueCase{"-x", 2, -2, true, nullptr}, ValueCase{"*5", 0, 0, true, nullptr},
        ValueCase{"+x^2", 3, 9, true, nullptr},
        // ... but a ")" without its "(" is no value.
        ValueCase{"-5)", 0, 0, false, msg::kBrackets},
        ValueCase{"*5)+1", 0, 0, false, msg::kBrackets},
        // A list that never gets shorter ends at the pass limit, with no value.
        ValueCase{"(sinxx)", 1, 0, false, msg::kStepLimit}));

TEST(Evaluate, StopsTheSweepWhenNothingCanBeReduced) {
    EngineRun run;
    run.engine.StopRequested = 0;
    run.evaluate("2x", 1);
    EXPECT_EQ(run.engine.StopRequested, -1);
}

TEST(Evaluate, StepLimitResetsTheStepCountAndLeavesTheStopFlag) {
    EngineRun run;
    run.engine.StopRequested = 0;
    run.evaluate("(sinxx)", 1);
    EXPECT_EQ(run.engine.StepCount, 0);
    EXPECT_EQ(run.engine.StopRequested, 0);
}

TEST(Evaluate, CountsOnePassPerStep) {
    EngineRun run;
    run.evaluate("2+3*4^2");
    EXPECT_EQ(run.engine.StepCount, 3);
    run.evaluate("7");
    EXPECT_EQ(run.engine.StepCount, 0);
}

TEST(Evaluate, RoundsEveryStoredResultTo15DigitsButNotTheLast) {
    EngineRun run;
    // 1/3 is stored as " .333333333333333", then multiplied unrounded.
    EXPECT_EQ(run.evaluate("1/3*3").value, textToNumber(".333333333333333") * 3);
    EXPECT_EQ(run.evaluate("1/3").value, 1.0 / 3);
    // x itself arrives as its number text.
    EXPECT_EQ(run.evaluate("x", 1.0 / 3).value, textToNumber(".333333333333333"));
    // Only a letter x kept by the loader stands for x unrounded.
    EXPECT_EQ(run.evaluate("ax", 1.0 / 3).value, 1.0 / 3);
}

TEST(Evaluate, ConsumesTheTokenListLeavingTheResult) {
    EngineRun run;
    run.evaluate("1/3");
    EXPECT_EQ(run.tokenList(), std::vector<std::string>{" .333333333333333"});
    run.engine.StepCount = 0;
    EXPECT_EQ(run.engine.Evaluate(0), textToNumber(".333333333333333"));
}

TEST(Evaluate, AnOverflowingSingleNumberIsNoValue) {
    EngineRun run;
    const Engine::Sample s = run.evaluate("x", 1.7976931348623157e308);
    EXPECT_FALSE(s.defined);
}

TEST(EvaluateSample, MatchesTheSeparateCallsOverASweep) {
    EngineRun separate;
    Engine sampled;
    sampled.emptyArrays();
    for (const char* expression :
         {"sin(x)*x^2+3*x-1", "rad(3)(x^2+1)/(abs(x)+1)", "lge(x)", "x^(1/3)"}) {
        for (double x = -3; x <= 3; x += 0.37) {
            const Engine::Sample a = separate.evaluate(expression, x);
            const Engine::Sample b = sampled.evaluateSample(expression, x);
            EXPECT_EQ(a.value, b.value) << expression << " at " << x;
            EXPECT_EQ(a.defined, b.defined) << expression << " at " << x;
        }
    }
}

} // namespace
} // namespace curvalia::engine::testing
