// Generated input for the engine tests: random text, near-valid and
// well-formed expressions, deep nesting, huge and tiny numbers, and the x
// values that stress the number text.
#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace curvalia::engine::testing {

// The edges of the number text: signed zeros, the ends of the double range,
// the plain/exponent switch-over, negative bases of "^" and odd roots.
inline const std::vector<double> kSpecialX = {
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

} // namespace curvalia::engine::testing
