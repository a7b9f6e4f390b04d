// Precedence and grouping: thousands of generated well-formed expressions,
// evaluated by the engine and by a small recursive-descent evaluator written
// here, must agree up to the engine's 15-digit rounding of intermediate results.
#include "engine_support.h"

#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <random>
#include <string>

namespace curvalia::engine::testing {
namespace {

// Expressions of the engine's language: "^" binds tightest and, like "*",
// "/", "+" and "-", groups from the left; a "-" right after "(" negates the
// term that follows it.
class Reference {
  public:
    Reference(std::string_view text, double x) : text_(text), x_(x) {}

    // The value, or nothing when some step has no finite real value.
    std::optional<double> value() {
        const double v = expression();
        if (failed_ || pos_ != text_.size() || !std::isfinite(v))
            return std::nullopt;
        return v;
    }

    // The largest magnitude met on the way: the engine's rounding errors are
    // relative to it.
    double scale() const { return scale_; }

  private:
    double expression() {
        double v = term();
        while (peek('+') || peek('-')) {
            const char op = text_[pos_++];
            const double rhs = term();
            v = note(op == '+' ? v + rhs : v - rhs);
        }
        return v;
    }
    double term() {
        double v = power();
        while (peek('*') || peek('/')) {
            const char op = text_[pos_++];
            const double rhs = power();
            if (op == '/' && std::fabs(rhs) < 1e-6)
                failed_ = true;
            v = note(op == '*' ? v * rhs : v / rhs);
        }
        return v;
    }
    double power() {
        double v = primary();
        while (peek('^')) {
            ++pos_;
            const double e = primary();
            if (v < 0 && std::floor(e) != e)
                failed_ = true;
            v = note(std::pow(v, e));
        }
        return v;
    }
    double group() {
        expect('(');
        double v;
        if (peek('-')) {
            ++pos_;
            v = -term();
            while (peek('+') || peek('-')) {
                const char op = text_[pos_++];
                const double rhs = term();
                v = note(op == '+' ? v + rhs : v - rhs);
            }
        } else {
            v = expression();
        }
        expect(')');
        return v;
    }
    double primary() {
        if (peek('('))
            return group();
        if (peek('x')) {
            ++pos_;
            return note(x_);
        }
        if (peek('e')) {
            ++pos_;
            return 2.718281828;
        }
        if (peek('p')) {
            ++pos_;
            return 3.141592654;
        }
        if (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            const std::size_t start = pos_;
            while (pos_ < text_.size() &&
                   ((text_[pos_] >= '0' && text_[pos_] <= '9') || text_[pos_] == '.'))
                ++pos_;
            double v = 0;
            std::from_chars(text_.data() + start, text_.data() + pos_, v);
            return v;
        }
        return function();
    }
    double function() {
        static const char* names[] = {"asin", "acos", "atg", "abs", "lge",
                                      "lgn",  "sin",  "cos", "tg",  "rad"};
        for (const char* name : names) {
            const std::string_view n(name);
            if (text_.substr(pos_, n.size()) != n)
                continue;
            pos_ += n.size();
            if (n == "rad") {
                const double index = group();
                const double a = group();
                if (index == 0 || (std::fmod(index, 2) == 0 && a < 0))
                    failed_ = true;
                return note(a < 0 ? -std::pow(-a, 1 / index) : std::pow(a, 1 / index));
            }
            const double a = group();
            if (n == "sin")
                return note(std::sin(a));
            if (n == "cos")
                return note(std::cos(a));
            if (n == "tg")
                return note(std::tan(a));
            if (n == "atg")
                return note(std::atan(a));
            if (n == "abs")
                return note(std::fabs(a));
            if (n == "asin" || n == "acos") {
                if (!(a > -0.999 && a < 0.999))
                    failed_ = true;
                return note(n == "asin" ? std::asin(a) : std::acos(a));
            }
            if (!(a > 1e-6))
                failed_ = true;
            return note(n == "lge" ? std::log(a) : std::log10(a));
        }
        failed_ = true;
        return 0;
    }
    bool peek(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
    void expect(char c) {
        if (peek(c))
            ++pos_;
        else
            failed_ = true;
    }
    double note(double v) {
        if (!std::isfinite(v))
            failed_ = true; // the engine counts this as a domain error
        // Past this size the 15-digit rounding moves sin(v) or a power of v
        // by more than any tolerance: such expressions test nothing here.
        if (std::fabs(v) > 1e6)
            failed_ = true;
        if (std::fabs(v) > scale_)
            scale_ = std::fabs(v);
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
class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string expression(int depth) {
        std::string s = operand(depth);
        const int more = pick(0, depth > 0 ? 3 : 1);
        for (int i = 0; i < more; ++i)
            s += std::string(1, "+-*/^"[pick(0, 4)]) + operand(depth);
        return s;
    }

  private:
    std::string operand(int depth) {
        switch (depth > 0 ? pick(0, 9) : pick(0, 2)) {
        case 0:
            return "x";
        case 1:
            return number();
        case 2:
            return pick(0, 1) ? "e" : "p";
        case 3:
        case 4:
            return "(" + expression(depth - 1) + ")";
        case 5:
            return "(-" + expression(depth - 1) + ")";
        case 6:
            return "((" + expression(depth - 1) + "))";
        case 7:
            return "rad(" + std::to_string(pick(2, 5)) + ")(" + expression(depth - 1) + ")";
        default: {
            static const char* names[] = {"sin", "cos", "tg",  "asin", "acos",
                                          "atg", "abs", "lge", "lgn"};
            return std::string(names[pick(0, 8)]) + "(" + expression(depth - 1) + ")";
        }
        }
    }
    std::string number() {
        static const char* numbers[] = {"2", "3",   "0.5", "1.25",  "10",
                                        "7", "2.5", "0.1", "12.75", "4"};
        return numbers[pick(0, 9)];
    }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    std::mt19937 random_;
};

TEST(ReferenceEvaluator, AgreesOnGeneratedExpressions) {
    Generator generator(7);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> xs(-3, 3);
    EngineRun run;
    int compared = 0;
    for (int attempt = 0; attempt < 40000 && compared < 4000; ++attempt) {
        const std::string expression = generator.expression(3);
        if (expression.size() > 150)
            continue;
        // x as the engine receives it: its 15-digit number text.
        const double x = textToNumber(numberText(xs(random)));
        Reference reference(expression, x);
        const std::optional<double> expected = reference.value();
        if (!expected || std::fabs(*expected) > 1e9)
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
