// Whatever is typed (random text, near-valid and well-formed expressions,
// deep nesting, huge and tiny numbers, at x values that stress the number
// text), through the check, the calculator's unchecked cycle and the draw
// command's samples, where the recorded schedule must match the plain machine
// bit for bit. Nothing may crash, read outside the arrays (the
// sanitizer build watches), or write a message that is not the engine's own.
#include "engine_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace curvalia::engine::testing {
namespace {

// The edges of the number text: signed zeros, the ends of the double range,
// the plain/exponent switch-over, negative bases of "^" and odd roots.
const std::vector<double> kSpecialX = {
    0,      -0.0,    1e-300, -1e-300, 1e300,  -1e300,   1.7976931348623157e308,
    -2,     -8,      1e15,   1e-5,    1.5e-7, -3.25e17, 99999999999999.9,
    0.0001, 0.00009, 0.5,    100,     1.0 / 3};

class BadInput {
  public:
    explicit BadInput(unsigned seed) : random_(seed) {}

    std::string next() {
        static const char* const huge[] = {
            "1e308*10",   "9^9^9^9",          "0.0000000000000000000001/x",
            "x^x^x^x",    "lge(0)/0",         "99999999999999999999999999*99999999999999999999",
            "1/(x-x)",    "rad(0)(x)",        "10^308*10^308",
            "(0-10)^0.5", "acos(2)*asin(-2)", "x/0.00000000000000000000000001"};
        static const char* const pieces[] = {"(",  ")", "-",  "+",   "*",    "/",
                                             "^",  "x", "1",  "sin", "rad(", ")(",
                                             "(-", "e", "ax", "se",  ".",    "2.2.2"};
        static const char* const accented[] = {"\xC3\xA8", "\xC3\xA0", "\xC3\xB9", "\xC3\x88",
                                               "\xE2\x82\xAC"};
        std::string s;
        switch (pick(0, 5)) {
        case 0: // printable ASCII, the language's own characters more likely, accented letters
            for (int i = pick(0, 400); i > 0; --i) {
                const int kind = pick(0, 9);
                s += kind < 5   ? std::string(1, "x()+-*/^.0123456789epsincotgarbdl "[pick(0, 33)])
                     : kind < 9 ? std::string(1, char(pick(32, 126)))
                                : any(accented);
            }
            return s;
        case 1:
            return mutate(validLooking());
        case 2: {
            const int depth = pick(1, 120);
            return std::string(depth, '(') + (pick(0, 1) ? "-x" : "x") +
                   std::string(std::max(0, depth + pick(-3, 3)), ')');
        }
        case 3:
            return any(huge);
        case 4:
            for (int i = pick(1, 80); i > 0; --i)
                s += any(pieces);
            return s;
        default:
            return validLooking();
        }
    }

    // Mostly plain values, now and then an edge of the number text.
    double x() {
        return pick(0, 3) == 0 ? any(kSpecialX)
                               : std::uniform_real_distribution<double>(-50, 50)(random_);
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    template <class List> auto any(const List& list) -> decltype(std::data(list)[0]) {
        return std::data(list)[pick(0, int(std::size(list)) - 1)];
    }

    std::string validLooking() {
        static const char* const parts[] = {
            "sin(x)", "x^2",    "rad(3)(x)", "lge(x)", "(x+1)",   "(-x)",      "2.5",    "e",
            "p",      "abs(x)", "tg(x)",     "((x))",  "asin(x)", "acos(x/9)", "lgn(x)", "1/x"};
        std::string s = any(parts);
        for (int i = pick(0, 12); i > 0; --i)
            s += "+-*/^"[pick(0, 4)] + std::string(any(parts));
        return s;
    }

    std::string mutate(std::string s) {
        for (int i = pick(1, 4); i > 0 && !s.empty(); --i) {
            const auto at = std::size_t(pick(0, int(s.size()) - 1));
            const int kind = pick(0, 3);
            if (kind == 0)
                s.erase(at, 1);
            else if (kind == 1)
                s.insert(at, 1, "()+-*/^ x.,"[pick(0, 10)]);
            else if (kind == 2)
                s[at] = "()+-*/^x0"[pick(0, 8)];
            else
                s.insert(at, s.substr(at, std::size_t(pick(1, 10))));
        }
        return s;
    }

    std::mt19937 random_;
};

// At most one message, and only one of the texts the engine may write.
void expectOneKnownMessageAtMost(const EngineRun& run, const std::string& text) {
    ASSERT_LE(run.messages.size(), 1u) << text;
    for (const std::string_view m : run.messages) {
        bool known = false;
        for (std::string_view f : {msg::kBrackets, msg::kStepLimit, msg::kBlank, msg::kMoreOpen,
                                   msg::kMoreClosed, msg::kEmptyBrackets, msg::kNeedOperator,
                                   msg::kBadStart, msg::kCheckBrackets, msg::kDecimalComma})
            known = known || m == f ||
                    (m.starts_with(f) && m.substr(f.size()).starts_with(" (") && m.ends_with(')'));
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
