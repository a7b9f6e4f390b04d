// Loading (x, e and p replaced by number texts) and breaking into tokens.
#include "engine_support.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

namespace curvalia::engine::testing {
namespace {

using Texts = std::vector<std::string>;

struct TokenCase {
    const char* expression;
    double x;
    Texts tokens;
};

void PrintTo(const TokenCase& c, std::ostream* os) {
    *os << '"' << c.expression << "\" at x = " << c.x;
}

class TokenizeTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizeTable, GivesTheTokenTexts) {
    EngineRun run;
    EXPECT_EQ(run.tokenized(GetParam().expression, GetParam().x), GetParam().tokens)
        << GetParam().expression;
    EXPECT_EQ(run.engine.ItemCount, static_cast<int>(GetParam().tokens.size()));
}

using T = TokenCase;

INSTANTIATE_TEST_SUITE_P(
    Examples, TokenizeTable,
    ::testing::Values(
        T{"2+x", 1.5, {" 2", "+", " 1.5"}}, T{"12.25*x", 1, {" 12.25", "*", " 1"}},
        T{"007", 0, {" 7"}}, T{"0.5", 0, {" .5"}}, T{"3.", 0, {" 3"}}, T{"1.2.3", 0, {" 1.03"}},
        T{"sin(x)", 0, {"sin", "(", " 0", ")"}}, T{"sinh(x)", 2, {"sin", "h", "(", " 2", ")"}},
        T{"sec(x)", 2, {"e", "(", " 2", ")"}}, T{"cot(x)", 2, {"cos", "(", " 2", ")"}},
        T{"tgh(x)", 2, {"tg", "h", "(", " 2", ")"}},
        T{"rad(3)(x)", 2, {"rad", "(", " 3", ")", "(", " 2", ")"}},
        T{"rad(12)(x)", 2, {"d", "(", " 12", ")", "(", " 2", ")"}},
        T{"max(1)(2)", 0, {"m", "x", "(", " 1", ")", "(", " 2", ")"}}, T{"min", 0, {"m", "i", "n"}},
        T{"2*e", 0, {" 2", "*", " 2.718281828"}}, T{"p/2", 0, {" 3.141592654", "/", " 2"}},
        T{"2x", -2, {" 2", "-2"}}, T{"1e5", 0, {" 1", " 2.718281828", " 5"}},
        T{"x", 0.00001, {" 1E-05"}}, T{"SIN(X)", 0, {"S", "I", "N", "(", "X", ")"}},
        T{".", 0, {"."}}, T{",", 0, {","}}, T{"", 0, {}},
        T{"lge(x)+lgn(x)", 3, {"lge", "(", " 3", ")", "+", "lgn", "(", " 3", ")"}},
        T{"asin(x)*acos(x)/atg(x)-abs(x)",
          0,
          {"asin", "(", " 0", ")", "*", "acos", "(", " 0", ")", "/", "atg", "(", " 0", ")", "-",
           "abs", "(", " 0", ")"}},
        // A code point is one element, never split bytes.
        T{"\xC3\xA8+1", 0, {"\xC3\xA8", "+", " 1"}},
        // Folding after tokenizing: "(" value ")" after an operator goes, a
        // negated value becomes one number, nested pairs all go at once.
        T{"2*(-5)", 0, {" 2", "*", "-5"}}, T{"2*(3)", 0, {" 2", "*", " 3"}}, T{"((5))", 0, {" 5"}},
        T{"sin(((x)))", 1, {"sin", "(", " 1", ")"}}, T{"2*(-(3))", 0, {" 2", "*", "-3"}},
        // Arguments are never folded: after a name or a ")".
        T{"abs(5)", 0, {"abs", "(", " 5", ")"}}),
    ::curvalia::testing::CaseName());

TEST(LoadExpression, ReplacesXEAndPButKeepsLettersOfNames) {
    const struct {
        const char* expression;
        double x;
        Texts chars;
    } cases[] = {{"2+x", 1.5, {"2", "+", " 1.5"}},
                 {"lge(x)", 4, {"l", "g", "e", "(", " 4", ")"}},
                 {"max", 4, {"m", "a", "x"}},
                 {"se", 4, {"s", "e"}},
                 {"e*p", 0, {" 2.718281828", "*", " 3.141592654"}},
                 {"X+E", 0, {"X", "+", "E"}},
                 {"x", -0.25, {"-.25"}},
                 {"a b", 0, {"a", " ", "b"}},
                 // Broken UTF-8: one replacement character per byte.
                 {"1\xFF\xC3", 0, {"1", "\xEF\xBF\xBD", "\xEF\xBF\xBD"}}};
    EngineRun run;
    for (const auto& c : cases)
        EXPECT_EQ(run.loaded(c.expression, c.x), c.chars) << c.expression;
}

TEST(LoadExpression, KeepsAtMost150CodePointsWithTheEndMarkerAfterThem) {
    EngineRun run;
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "\xC3\xA8"; // two bytes, one character
    EXPECT_EQ(run.loaded(longText).size(), 150u);
    EXPECT_EQ(run.engine.ItemCount, 150);
    // A shorter expression after it leaves nothing of the longer one behind.
    run.engine.LoadExpression("1+2", " 0");
    EXPECT_EQ(run.engine.chars(149), "");
    run.engine.Tokenize();
    EXPECT_EQ(run.tokenList(), (Texts{" 1", "+", " 2"}));
}

TEST(LoadExpression, NameLettersAmongTheLastCharactersLookOnlyAtEmptyElements) {
    EngineRun run;
    const std::string text = std::string(147, '1') + "rad";
    // The digits, then "d": r and a start no name.
    EXPECT_EQ(run.tokenized(text), (Texts{" 1.11111111111111E+146", "d"}));
}

TEST(ToLowerText, UsesTheUnicodeSimpleLowerCaseMapping) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case& c : {
             Case{"SIN(X)+E^P", "sin(x)+e^p"},
             Case{"\xC3\x88\xC3\x80\xC3\x97", "\xC3\xA8\xC3\xA0\xC3\x97"}, // È À × -> è à ×
             Case{"\xC4\x8C", "\xC4\x8D"},                                 // Č -> č
             Case{"\xCE\xA3\xCE\x94", "\xCF\x83\xCE\xB4"},                 // Σ Δ -> σ δ
             Case{"\xD0\x96", "\xD0\xB6"},                                 // Ж -> ж
             Case{"\xC4\xB0", "i"},                      // İ -> i, its simple mapping
             Case{"\xE2\x84\xAA", "k"},                  // the Kelvin sign
             Case{"1+2\xE2\x82\xAC", "1+2\xE2\x82\xAC"}, // no case: unchanged
         })
        EXPECT_EQ(toLowerText(c.in), c.out) << c.in;
    // Lowered, the Kelvin sign is the letter k, which starts no name.
    EngineRun run;
    EXPECT_EQ(run.check(toLowerText("\xE2\x84\xAA(x)")), "Operatore non riconosciuto... k");
}

} // namespace
} // namespace curvalia::engine::testing
