// Precedence and grouping: thousands of generated well-formed expressions,
// evaluated by the engine and by a small recursive-descent evaluator written
// here, must agree up to the engine's 15-digit rounding of intermediate results.
#include "engine_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <random>

namespace curvalia::engine::testing {
namespace {

// Expressions of the engine's language: "^" binds tightest and, like "*",
// "/", "+" and "-", groups from the left; a "-" right after "(" negates the
// term that follows it. Fails where some step has no finite real value.
class Reference {
  public:
    Reference(std::string_view text, double x) : text_(text), x_(x) {}

    std::optional<double> value() {
        const double v = binary(0);
        return failed_ || pos_ != text_.size() ? std::nullopt : std::optional(v);
    }
    // The largest magnitude met on the way: the engine's rounding errors are relative to it.
    double scale() const { return scale_; }

  private:
    // Level 0 is "+" and "-", 1 is "*" and "/", 2 is "^".
    double binary(int level, bool negateFirst = false) {
        static const std::string_view operators[] = {"+-", "*/", "^"};
        const auto operand = [&] { return level == 2 ? primary() : binary(level + 1); };
        double v = negateFirst ? -operand() : operand();
        while (pos_ < text_.size() &&
               operators[level].find(text_[pos_]) != std::string_view::npos) {
            const char op = text_[pos_++];
            const double rhs = operand();
            fail((op == '/' && std::fabs(rhs) < 1e-6) ||
                 (op == '^' && v < 0 && std::floor(rhs) != rhs));
            v = note(op == '+'   ? v + rhs
                     : op == '-' ? v - rhs
                     : op == '*' ? v * rhs
                     : op == '/' ? v / rhs
                                 : std::pow(v, rhs));
        }
        return v;
    }
    double group() {
        expect('(');
        const bool negate = peek('-');
        pos_ += negate;
        const double v = binary(0, negate);
        expect(')');
        return v;
    }
    double primary() {
        const char c = pos_ < text_.size() ? text_[pos_] : '\0';
        if (c == '(')
            return group();
        if (c == 'x' || c == 'e' || c == 'p')
            return ++pos_, c == 'x' ? note(x_) : c == 'e' ? 2.718281828 : 3.141592654;
        if (c >= '0' && c <= '9') {
            double v = 0;
            pos_ = std::size_t(std::from_chars(&text_[pos_], text_.data() + text_.size(), v,
                                               std::chars_format::fixed)
                                   .ptr -
                               text_.data());
            return v;
        }
        if (take("rad")) {
            const double index = group(), a = group();
            fail(index == 0 || (std::fmod(index, 2) == 0 && a < 0));
            return note(a < 0 ? -std::pow(-a, 1 / index) : std::pow(a, 1 / index));
        }
        // Each with the open interval of its domain that the engine takes.
        static const std::tuple<std::string_view, double (*)(double), double, double> functions[] =
            {{"asin", std::asin, -0.999, 0.999}, {"acos", std::acos, -0.999, 0.999},
             {"atg", std::atan, -1e300, 1e300},  {"abs", std::fabs, -1e300, 1e300},
             {"lge", std::log, 1e-6, 1e300},     {"lgn", std::log10, 1e-6, 1e300},
             {"sin", std::sin, -1e300, 1e300},   {"cos", std::cos, -1e300, 1e300},
             {"tg", std::tan, -1e300, 1e300}};
        for (const auto& [name, apply, below, above] : functions) {
            if (take(name)) {
                const double a = group();
                fail(!(a > below && a < above));
                return note(apply(a));
            }
        }
        fail(true);
        return 0;
    }
    bool take(std::string_view name) {
        const bool found = text_.substr(pos_, name.size()) == name;
        pos_ += found ? name.size() : 0;
        return found;
    }
    bool peek(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
    void expect(char c) { peek(c) ? void(++pos_) : fail(true); }
    void fail(bool condition) { failed_ = failed_ || condition; }
    double note(double v) {
        // Past 1e6 the 15-digit rounding moves sin(v) or a power of v by
        // more than any tolerance: such expressions test nothing here.
        fail(!std::isfinite(v) || std::fabs(v) > 1e6);
        scale_ = std::max(scale_, std::fabs(v));
        return v;
    }

    std::string_view text_;
    double x_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    double scale_ = 1;
};

// Random well-formed expressions: no operands side by side, a "-" only as
// an operator or right after "(", parentheses sometimes doubled.
struct Generator {
    std::mt19937 random;
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }
    std::string expression(int depth) {
        static const char* const leaves[] = {"x",  "x",   "e",    "p",   "2",   "3",
                                             "10", "0.5", "1.25", "2.5", "0.1", "12.75"};
        static const std::string opens[] = {"(",       "(",       "(",    "(-",   "((",  "rad(2)(",
                                            "rad(3)(", "rad(5)(", "sin(", "cos(", "tg(", "asin(",
                                            "acos(",   "atg(",    "abs(", "lge(", "lgn("};
        std::string s;
        for (int i = pick(0, depth > 0 ? 3 : 1); i >= 0; --i) {
            if (!s.empty())
                s += "+-*/^"[pick(0, 4)];
            if (depth == 0 || pick(0, 9) < 3) {
                s += leaves[pick(0, 11)];
                continue;
            }
            const std::string& open = opens[pick(0, 16)];
            const auto closes = std::count(open.begin(), open.end(), '(') -
                                std::count(open.begin(), open.end(), ')');
            s += open + expression(depth - 1) + std::string(std::size_t(closes), ')');
        }
        return s;
    }
};

TEST(ReferenceEvaluator, AgreesOnGeneratedExpressions) {
    Generator generator{std::mt19937(7)};
    std::mt19937 random(11);
    std::uniform_real_distribution<double> xs(-3, 3);
    EngineRun run;
    int compared = 0;
    for (int attempt = 0; attempt < 40000 && compared < 4000; ++attempt) {
        const std::string expression = generator.expression(3);
        // x as the engine receives it: its 15-digit number text.
        const double x = textToNumber(numberText(xs(random)));
        Reference reference(expression, x);
        const std::optional<double> expected = reference.value();
        if (expression.size() > 150 || !expected || std::fabs(*expected) > 1e9)
            continue;
        ASSERT_EQ(run.check(expression), "") << expression;
        const Engine::Sample got = run.evaluate(expression, x);
        ASSERT_TRUE(got.defined) << expression << " at x = " << x;
        ASSERT_NEAR(got.value, *expected, 1e-8 * reference.scale())
            << expression << " at x = " << x;
        ++compared;
    }
    EXPECT_GE(compared, 2000);
}

} // namespace
} // namespace curvalia::engine::testing
