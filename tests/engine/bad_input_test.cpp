// Whatever is typed: random strings and near-valid expressions through the
// check and through the sample cycle (as the calculator runs it, unchecked).
// Nothing may crash, read outside the arrays (the sanitizer build watches),
// run past the pass limit, return a non-finite value, or write a message
// that is not one of the engine's own.
#include "engine_support.h"

#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace curvalia::engine::testing {
namespace {

class BadInput {
  public:
    explicit BadInput(unsigned seed) : random_(seed) {}

    std::string next() {
        switch (pick(0, 5)) {
        case 0:
            return randomText(pick(0, 400));
        case 1:
            return mutate(validLooking());
        case 2:
            return nested(pick(1, 120));
        case 3:
            return hugeAndTiny();
        case 4:
            return pieces(pick(1, 80));
        default:
            return validLooking();
        }
    }

    double x() {
        const double special[] = {0,  -0.0, 1e-300, -1e-300, 1e300, -1e300, 1.7976931348623157e308,
                                  -2, 0.5,  1e15,   1e-5,    -8,    100};
        if (pick(0, 3) == 0)
            return special[pick(0, 12)];
        return std::uniform_real_distribution<double>(-50, 50)(random_);
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    template <std::size_t N> const char* any(const char* const (&list)[N]) {
        return list[pick(0, static_cast<int>(N) - 1)];
    }

    // Printable ASCII with the language's own characters more likely, and
    // accented letters (two or three bytes each in UTF-8).
    std::string randomText(int length) {
        static const char* accented[] = {"\xC3\xA8", "\xC3\xA0", "\xC3\xB9", "\xC3\x88",
                                         "\xE2\x82\xAC"};
        static const std::string language = "x()+-*/^.0123456789epsincotgarbdl ";
        std::string s;
        for (int i = 0; i < length; ++i) {
            const int kind = pick(0, 9);
            if (kind < 5)
                s += language[static_cast<std::size_t>(pick(0, int(language.size()) - 1))];
            else if (kind < 9)
                s += static_cast<char>(pick(32, 126));
            else
                s += any(accented);
        }
        return s;
    }

    std::string validLooking() {
        static const char* parts[] = {"sin(x)", "x^2",    "rad(3)(x)", "lge(x)",  "(x+1)",  "(-x)",
                                      "2.5",    "e",      "p",         "abs(x)",  "tg(x)",  "((x))",
                                      "asin(x)", "acos(x/9)", "lgn(x)", "1/x"};
        std::string s = any(parts);
        for (int i = pick(0, 12); i > 0; --i)
            s += std::string(1, "+-*/^"[pick(0, 4)]) + any(parts);
        return s;
    }

    std::string mutate(std::string s) {
        for (int i = pick(1, 4); i > 0 && !s.empty(); --i) {
            const auto at = static_cast<std::size_t>(pick(0, static_cast<int>(s.size()) - 1));
            switch (pick(0, 3)) {
            case 0:
                s.erase(at, 1);
                break;
            case 1:
                s.insert(at, 1, "()+-*/^ x.,"[pick(0, 10)]);
                break;
            case 2:
                s[at] = "()+-*/^x0"[pick(0, 8)];
                break;
            default:
                s.insert(at, s.substr(at, static_cast<std::size_t>(pick(1, 10))));
            }
        }
        return s;
    }

    std::string nested(int depth) {
        const int close = std::max(0, depth + pick(-3, 3));
        return std::string(static_cast<std::size_t>(depth), '(') + (pick(0, 1) ? "-x" : "x") +
               std::string(static_cast<std::size_t>(close), ')');
    }

    std::string hugeAndTiny() {
        static const char* texts[] = {
            "1e308*10", "9^9^9^9", "0.0000000000000000000001/x", "x^x^x^x", "lge(0)/0",
            "99999999999999999999999999*99999999999999999999", "1/(x-x)", "rad(0)(x)",
            "10^308*10^308", "(0-10)^0.5", "acos(2)*asin(-2)",
            "x/0.000000000000000000000000000000000000000000001"};
        return any(texts);
    }

    std::string pieces(int count) {
        static const char* tokens[] = {"(", ")",    "-",  "+",  "*", "/",  "^",  "x", "1",
                                       "sin", "rad(", ")(", "(-", "e", "ax", "se", ".", "2.2.2"};
        std::string s;
        for (int i = 0; i < count; ++i)
            s += any(tokens);
        return s;
    }

    std::mt19937 random_;
};

void expectOnlyKnownMessages(const EngineRun& run, const std::string& text) {
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
        ASSERT_LE(run.messages.size(), 1u) << text;
        expectOnlyKnownMessages(run, text);

        // As the draw command: lower-cased, several samples after one emptying.
        const std::string lowered = toLowerText(text);
        run.messages.clear();
        run.engine.emptyArrays();
        for (int k = 0; k < 3; ++k) {
            const Engine::Sample s = run.engine.evaluateSample(lowered, x + k);
            ASSERT_TRUE(std::isfinite(s.value)) << text;
            ASSERT_LT(run.engine.StepCount, Engine::kStepLimit) << text;
        }
        ASSERT_LE(run.messages.size(), 3u) << text;
        expectOnlyKnownMessages(run, text);

        // As the calculator: as typed, with the separate calls.
        const Engine::Sample s = run.evaluate(text, x);
        ASSERT_TRUE(std::isfinite(s.value)) << text;
        ASSERT_LE(run.messages.size(), 1u) << text;
        expectOnlyKnownMessages(run, text);
    }
}

TEST(BadInput, RepeatedSamplesGiveWhatAFreshEngineGives) {
    // Later samples of one expression reuse the work of the first; they
    // must end exactly as a first sample on a fresh engine does.
    BadInput input(7);
    Engine reused;
    std::vector<std::string> reusedMessages;
    reused.setStatusSink([&](std::string_view m) { reusedMessages.emplace_back(m); });
    for (int i = 0; i < 3000; ++i) {
        const std::string text = input.next();
        reused.emptyArrays();
        for (int k = 0; k < 4; ++k) {
            const double x = input.x();
            reusedMessages.clear();
            const Engine::Sample a = reused.evaluateSample(text, x);
            EngineRun fresh;
            const Engine::Sample b = fresh.evaluate(text, x);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(a.value), std::bit_cast<std::uint64_t>(b.value))
                << text;
            ASSERT_EQ(a.defined, b.defined) << text;
            ASSERT_EQ(reusedMessages, fresh.messages) << text;
            for (int t = 0; t < Engine::kTokensSize; ++t)
                ASSERT_EQ(reused.tokens(t), fresh.engine.tokens(t)) << text;
        }
    }
}

TEST(BadInput, StrangeSubstitutionTextsAndUnemptiedArraysAreSafe) {
    // The contract is a number text, but any text must be safe.
    EngineRun run;
    for (const std::string& xText :
         {std::string(), std::string("x"), std::string("sin"), std::string("("), std::string("5"),
          std::string(200, '9'), std::string("\xC3"), std::string(" 1E+400")}) {
        run.engine.emptyArrays();
        run.engine.LoadExpression("x+x*sin(x)", xText);
        run.engine.Tokenize();
        run.engine.StepCount = 0;
        EXPECT_TRUE(std::isfinite(run.engine.Evaluate(1))) << xText;
    }
    // A long load, then a short one over it without emptying.
    run.engine.LoadExpression(std::string(150, '('), " 1");
    run.engine.Tokenize();
    run.engine.LoadExpression("1+2", " 1");
    run.engine.Tokenize();
    run.engine.StepCount = 0;
    EXPECT_EQ(run.engine.Evaluate(1), 3);
}

} // namespace
} // namespace curvalia::engine::testing
