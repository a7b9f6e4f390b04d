// Loading (x, e and p replaced by number texts) and breaking into tokens.
#include "engine_support.h"

#include <gtest/gtest.h>

namespace curvalia::engine::testing {
namespace {

using Texts = std::vector<std::string>;

struct TokenCase {
    const char* expression;
    double x;
    Texts tokens;
};

class TokenizeTable : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizeTable, GivesTheTokenTexts) {
    EngineRun run;
    EXPECT_EQ(run.tokenized(GetParam().expression, GetParam().x), GetParam().tokens)
        << GetParam().expression;
    EXPECT_EQ(run.engine.ItemCount, static_cast<int>(GetParam().tokens.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TokenizeTable,
    ::testing::Values(
        TokenCase{"2+x", 1.5, {" 2", "+", " 1.5"}}, TokenCase{"12.25*x", 1, {" 12.25", "*", " 1"}},
        TokenCase{"007", 0, {" 7"}}, TokenCase{"0.5", 0, {" .5"}}, TokenCase{"3.", 0, {" 3"}},
        TokenCase{"1.2.3", 0, {" 1.03"}}, TokenCase{"sin(x)", 0, {"sin", "(", " 0", ")"}},
        TokenCase{"sinh(x)", 2, {"sin", "h", "(", " 2", ")"}},
        TokenCase{"sec(x)", 2, {"e", "(", " 2", ")"}},
        TokenCase{"cot(x)", 2, {"cos", "(", " 2", ")"}},
        TokenCase{"tgh(x)", 2, {"tg", "h", "(", " 2", ")"}},
        TokenCase{"rad(3)(x)", 2, {"rad", "(", " 3", ")", "(", " 2", ")"}},
        TokenCase{"rad(12)(x)", 2, {"d", "(", " 12", ")", "(", " 2", ")"}},
        TokenCase{"max(1)(2)", 0, {"m", "x", "(", " 1", ")", "(", " 2", ")"}},
        TokenCase{"min", 0, {"m", "i", "n"}}, TokenCase{"2*e", 0, {" 2", "*", " 2.718281828"}},
        TokenCase{"p/2", 0, {" 3.141592654", "/", " 2"}}, TokenCase{"2x", -2, {" 2", "-2"}},
        TokenCase{"1e5", 0, {" 1", " 2.718281828", " 5"}}, TokenCase{"x", 0.00001, {" 1E-05"}},
        TokenCase{"SIN(X)", 0, {"S", "I", "N", "(", "X", ")"}}, TokenCase{".", 0, {"."}},
        TokenCase{",", 0, {","}}, TokenCase{"", 0, {}},
        TokenCase{"lge(x)+lgn(x)", 3, {"lge", "(", " 3", ")", "+", "lgn", "(", " 3", ")"}},
        TokenCase{"asin(x)*acos(x)/atg(x)-abs(x)",
                  0,
                  {"asin", "(", " 0", ")", "*", "acos", "(", " 0", ")", "/", "atg", "(", " 0", ")",
                   "-", "abs", "(", " 0", ")"}},
        // A code point is one element, never split bytes.
        TokenCase{"\xC3\xA8+1", 0, {"\xC3\xA8", "+", " 1"}},
        // Folding after tokenizing: "(" value ")" after an operator goes, a
        // negated value becomes one number, nested pairs all go at once.
        TokenCase{"2*(-5)", 0, {" 2", "*", "-5"}}, TokenCase{"2*(3)", 0, {" 2", "*", " 3"}},
        TokenCase{"((5))", 0, {" 5"}}, TokenCase{"sin(((x)))", 1, {"sin", "(", " 1", ")"}},
        TokenCase{"2*(-(3))", 0, {" 2", "*", "-3"}},
        // Arguments are never folded: after a name or a ")".
        TokenCase{"abs(5)", 0, {"abs", "(", " 5", ")"}}));

TEST(LoadExpression, ReplacesXEAndPButKeepsLettersOfNames) {
    EngineRun run;
    EXPECT_EQ(run.loaded("2+x", 1.5), (Texts{"2", "+", " 1.5"}));
    EXPECT_EQ(run.loaded("lge(x)", 4), (Texts{"l", "g", "e", "(", " 4", ")"}));
    EXPECT_EQ(run.loaded("max", 4), (Texts{"m", "a", "x"}));
    EXPECT_EQ(run.loaded("se", 4), (Texts{"s", "e"}));
    EXPECT_EQ(run.loaded("e*p", 0), (Texts{" 2.718281828", "*", " 3.141592654"}));
    EXPECT_EQ(run.loaded("X+E", 0), (Texts{"X", "+", "E"}));
    EXPECT_EQ(run.loaded("x", -0.25), (Texts{"-.25"}));
    EXPECT_EQ(run.loaded("a b", 0), (Texts{"a", " ", "b"}));
}

TEST(LoadExpression, KeepsAtMost150CodePointsWithTheEndMarkerAfterThem) {
    EngineRun run;
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "\xC3\xA8"; // two bytes, one character
    const Texts loaded = run.loaded(longText);
    EXPECT_EQ(loaded.size(), 150u);
    EXPECT_EQ(run.engine.ItemCount, 150);
    EXPECT_EQ(run.engine.chars(150), "");

    // A shorter expression after it leaves nothing of the longer one behind.
    run.engine.LoadExpression("1+2", " 0");
    EXPECT_EQ(run.engine.chars(3), "");
    EXPECT_EQ(run.engine.chars(149), "");
    run.engine.Tokenize();
    EXPECT_EQ(run.tokenList(), (Texts{" 1", "+", " 2"}));
}

TEST(LoadExpression, ReadsBrokenUtf8AsOneReplacementCharacterPerByte) {
    EngineRun run;
    EXPECT_EQ(run.loaded("1\xFF\xC3"), (Texts{"1", "\xEF\xBF\xBD", "\xEF\xBF\xBD"}));
}

TEST(LoadExpression, NameLettersAmongTheLastCharactersLookOnlyAtEmptyElements) {
    EngineRun run;
    const std::string text = std::string(147, '1') + "rad";
    const Texts tokens = run.tokenized(text);
    ASSERT_EQ(tokens.size(), 2u); // the digits, then "d": r and a start no name
    EXPECT_EQ(tokens[0], " 1.11111111111111E+146");
    EXPECT_EQ(tokens[1], "d");
}

TEST(ToLowerText, LowersAsciiAndAccentedLettersOnly) {
    EXPECT_EQ(toLowerText("SIN(X)+E^P"), "sin(x)+e^p");
    EXPECT_EQ(toLowerText("\xC3\x88\xC3\x80\xC3\x97"),
              "\xC3\xA8\xC3\xA0\xC3\x97");          // È À × -> è à ×
    EXPECT_EQ(toLowerText("\xC4\x8C"), "\xC4\x8D"); // Č -> č
    EXPECT_EQ(toLowerText("1+2"), "1+2");
}

} // namespace
} // namespace curvalia::engine::testing
