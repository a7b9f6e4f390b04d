// Values, domain counters and messages of the evaluator and the function
// library; and precedence and grouping: thousands of generated well-formed
// expressions, each built together with its value, must evaluate in the
// engine to that value up to the engine's 15-digit rounding of intermediate
// results.
#include "engine_support.h"

#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

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
             V{"rad(0)(1)", 0, 0, false}, // index 0 would divide by 0 (1^inf would be 1)
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

// Expressions of the engine's language with their values: "^" binds
// tightest and, like "*", "/", "+" and "-", groups from the left; a "-"
// right after "(" negates the term that follows it. No operands side by
// side, a "-" only as an operator or right after "(", parentheses sometimes
// doubled. An expression fails where some step has no finite real value.
struct Generator {
    std::mt19937 random;
    double x = 0, scale = 1; // the largest magnitude met: the engine's errors are relative to it
    bool failed = false;

    std::string expression(double atX, double& value) {
        x = atX;
        failed = false;
        scale = 1;
        return sum(3, false, value);
    }

    std::string sum(int depth, bool negateFirst, double& value) {
        std::string text;
        std::vector<char> ops;
        std::vector<double> values;
        for (int i = pick(0, depth > 0 ? 3 : 1); i >= 0; --i) {
            if (!text.empty())
                text += ops.emplace_back("+-*/^"[pick(0, 4)]);
            text += operand(depth, values.emplace_back());
        }
        for (const std::string_view level : {"^", "*/", "+-"}) {
            if (level == "*/" && negateFirst)
                values[0] = -values[0];
            for (std::size_t i = 0; i < ops.size();) {
                if (level.find(ops[i]) == std::string_view::npos) {
                    ++i;
                    continue;
                }
                values[i] = apply(values[i], ops[i], values[i + 1]);
                values.erase(values.begin() + std::ptrdiff_t(i) + 1);
                ops.erase(ops.begin() + std::ptrdiff_t(i));
            }
        }
        value = values[0];
        return text;
    }
    double apply(double a, char op, double b) {
        fail((op == '/' && std::fabs(b) < 1e-6) || (op == '^' && a < 0 && std::floor(b) != b));
        return note(op == '+'   ? a + b
                    : op == '-' ? a - b
                    : op == '*' ? a * b
                    : op == '/' ? a / b
                                : std::pow(a, b));
    }
    std::string operand(int depth, double& v) {
        static const char* const leaves[] = {"x",  "x",   "e",    "p",   "2",   "3",
                                             "10", "0.5", "1.25", "2.5", "0.1", "12.75"};
        // Each with the open interval of its domain that the engine takes.
        static const std::tuple<const char*, double (*)(double), double, double> functions[] = {
            {"asin(", std::asin, -0.999, 0.999}, {"acos(", std::acos, -0.999, 0.999},
            {"atg(", std::atan, -1e300, 1e300},  {"abs(", std::fabs, -1e300, 1e300},
            {"lge(", std::log, 1e-6, 1e300},     {"lgn(", std::log10, 1e-6, 1e300},
            {"sin(", std::sin, -1e300, 1e300},   {"cos(", std::cos, -1e300, 1e300},
            {"tg(", std::tan, -1e300, 1e300}};
        if (depth == 0 || pick(0, 9) < 3) {
            const std::string_view leaf = leaves[pick(0, 11)];
            v = leaf == "x" ? note(x) : leaf == "e" ? 2.718281828 : leaf == "p" ? 3.141592654 : 0;
            std::from_chars(leaf.data(), leaf.data() + leaf.size(), v);
            return std::string(leaf);
        }
        const int kind = pick(0, 16);
        double a = 0;
        if (kind < 5) { // "(" three times in five, "(-" and "(("
            const std::string inner = sum(depth - 1, kind == 3, v);
            return kind == 3   ? "(-" + inner + ")"
                   : kind == 4 ? "((" + inner + "))"
                               : "(" + inner + ")";
        }
        if (kind < 8) {
            const int index = "235"[kind - 5] - '0';
            const std::string inner = sum(depth - 1, false, a);
            fail(index == 2 && a < 0);
            v = note(a < 0 ? -std::pow(-a, 1.0 / index) : std::pow(a, 1.0 / index));
            return "rad(" + std::to_string(index) + ")(" + inner + ")";
        }
        const auto& [name, function, below, above] = functions[kind - 8];
        const std::string inner = sum(depth - 1, false, a);
        fail(!(a > below && a < above));
        v = note(function(a));
        return name + inner + ")";
    }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    void fail(bool condition) { failed = failed || condition; }
    double note(double v) {
        // Past 1e6 the 15-digit rounding moves sin(v) or a power of v by
        // more than any tolerance: such expressions test nothing here.
        fail(!std::isfinite(v) || std::fabs(v) > 1e6);
        scale = std::max(scale, std::fabs(v));
        return v;
    }
};

TEST(ReferenceEvaluator, AgreesOnGeneratedExpressions) {
    Generator generator{std::mt19937(7)};
    std::mt19937 random(11);
    std::uniform_real_distribution<double> xs(-3, 3);
    EngineRun run;
    int compared = 0;
    for (int attempt = 0; attempt < 40000 && compared < 4000; ++attempt) {
        // x as the engine receives it: its 15-digit number text.
        const double x = textToNumber(numberText(xs(random)));
        double expected = 0;
        const std::string expression = generator.expression(x, expected);
        if (expression.size() > 150 || generator.failed || std::fabs(expected) > 1e9)
            continue;
        ASSERT_EQ(run.check(expression), "") << expression;
        const Engine::Sample got = run.evaluate(expression, x);
        ASSERT_TRUE(got.defined) << expression << " at x = " << x;
        ASSERT_NEAR(got.value, expected, 1e-8 * generator.scale) << expression << " at x = " << x;
        ++compared;
    }
    EXPECT_GE(compared, 2000);
}

} // namespace
} // namespace curvalia::engine::testing
