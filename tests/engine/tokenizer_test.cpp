// Loading (x, e and p replaced by number texts), breaking into tokens, and
// the syntax check: the first error found, with its exact message.
#include "engine_support.h"

#include "support/table_rows.h"

#include <gtest/gtest.h>

namespace curvalia::engine::testing {
namespace {

using Texts = std::vector<std::string>;

struct T {
    const char* expression;
    double x;
    Texts tokens;
};

TEST(Tokenize, GivesTheTokenTexts) {
    for (const T& c : ::curvalia::testing::rows(
             T{"2+x", 1.5, {" 2", "+", " 1.5"}}, T{"007", 0, {" 7"}}, T{"1.2.3", 0, {" 1.03"}},
             T{"sinh(x)", 2, {"sin", "h", "(", " 2", ")"}}, T{"sec(x)", 2, {"e", "(", " 2", ")"}},
             T{"rad(12)(x)", 2, {"d", "(", " 12", ")", "(", " 2", ")"}},
             T{"max(1)(2)", 0, {"m", "x", "(", " 1", ")", "(", " 2", ")"}},
             T{"2x", -2, {" 2", "-2"}}, T{"1e5", 0, {" 1", " 2.718281828", " 5"}},
             T{"SIN(X)", 0, {"S", "I", "N", "(", "X", ")"}}, T{".", 0, {"."}}, T{"", 0, {}},
             // A code point is one element; broken UTF-8 one replacement character per byte.
             T{"\xC3\xA8+1", 0, {"\xC3\xA8", "+", " 1"}},
             T{"1\xFF\xC3", 0, {" 1", "\xEF\xBF\xBD", "\xEF\xBF\xBD"}},
             // The e after s stays a letter (the tokenizer drops the stray s); blanks stay.
             T{"se", 4, {"e"}}, T{"a b", 0, {" ", "b"}},
             // Folding after tokenizing: "(" value ")" after an operator goes, a
             // negated value becomes one number, nested pairs all go at once,
             T{"((5))", 0, {" 5"}}, T{"2*(-(3))", 0, {" 2", "*", "-3"}},
             // but arguments never: after a name or a ")".
             T{"sin(((x)))", 1, {"sin", "(", " 1", ")"}})) {
        EngineRun run;
        EXPECT_EQ(run.tokenized(c.expression, c.x), c.tokens) << c.expression;
        EXPECT_EQ(run.engine.ItemCount, static_cast<int>(c.tokens.size())) << c.expression;
    }
}

TEST(LoadExpression, KeepsAtMost150CodePointsAndNothingOfALongerLoad) {
    EngineRun run;
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "\xC3\xA8"; // two bytes, one character
    EXPECT_EQ(run.loaded(longText).size(), 150u);
    EXPECT_EQ(run.engine.ItemCount, 150);
    run.engine.LoadExpression("1+2", " 0");
    EXPECT_EQ(run.engine.chars(149), "");
    run.engine.Tokenize();
    EXPECT_EQ(run.tokenList(), (Texts{" 1", "+", " 2"}));
    // Name letters among the last characters look only at empty elements:
    // the digits, then "d"; r and a start no name.
    EXPECT_EQ(run.tokenized(std::string(147, '1') + "rad"), (Texts{" 1.11111111111111E+146", "d"}));
}

TEST(ToLowerText, UsesTheUnicodeSimpleLowerCaseMapping) {
    const std::pair<const char*, const char*> cases[] = {
        {"SIN(X)+E^P", "sin(x)+e^p"},
        {"\xC3\x88\xC3\x80\xC3\x97", "\xC3\xA8\xC3\xA0\xC3\x97"}, // È À × -> è à ×
        {"\xC4\xB0", "i"},                                        // İ -> i, its simple mapping
        {"\xE2\x84\xAA", "k"},                                    // the Kelvin sign
        {"1+2\xE2\x82\xAC", "1+2\xE2\x82\xAC"}};                  // no case: unchanged
    for (const auto& [in, out] : cases)
        EXPECT_EQ(toLowerText(in), out) << in;
}

const std::string kRemove = msg::kRemoveOperatorPrefix, kUnknown = msg::kUnknownWordPrefix;

// Each message once, with the cases where the check's order or the text it
// quotes matters; well-formed expressions are the reference evaluator's. After
// every other check, each character must belong to the language: the first one
// that does not is named (one whole code point), with a hint for the common
// ones and its code when it cannot be seen. Text as the draw command passes
// it, lower-cased.
TEST(CheckSyntax, AcceptsOrNamesTheFirstError) {
    using C = std::pair<std::string, std::string>; // typed, message ("" when accepted)
    const std::string pi = kUnknown + "\xCF\x80 (usare p)";
    for (const auto& [typed, message] : ::curvalia::testing::rows(
             C{"2*sinh(x)", ""}, C{"sin", ""}, C{"(x+)", ""}, C{"2x", ""}, C{"", ""},
             C{"sin (x)", msg::kBlank}, C{"sinh(x)", kUnknown + "sinh"},
             C{"sin+cos(x)", kUnknown + "sin+cos (scrivere sin(...))"}, C{"y+1", kUnknown + "y+1"},
             C{"sinx(x)", kUnknown + "sin 0 (scrivere sin(x))"}, C{"max(1)(2)", kUnknown + "max"},
             C{"(x+1", msg::kMoreOpen}, C{")", msg::kMoreClosed}, C{"-5)", msg::kMoreClosed},
             C{"sin()", msg::kEmptyBrackets}, C{"(x+1)(x-1)", msg::kNeedOperator},
             C{"-x", std::string(msg::kBadStart) + " (scrivere 0-x)"}, C{"x+-1", kRemove + "-..."},
             C{"x+", kRemove + "..."}, C{"sin(-)", msg::kCheckBrackets},
             C{"2*(+x)", kRemove + "+..."},
             // Characters outside the language.
             C{"\xCF\x80", pi}, C{"2*\xCF\x80", pi}, C{"cos(\xCE\xA0)", pi}, // π, Π lower-cased
             C{"x*\xC3\xA9", kUnknown + "\xC3\xA9"},                         // é
             C{"x\xC2\xB2", kUnknown + "\xC2\xB2 (usare ^2)"},
             C{"x\xC2\xB3+1", kUnknown + "\xC2\xB3 (usare ^3)"},
             C{"\xEF\xBC\x91", kUnknown + "\xEF\xBC\x91"},           // fullwidth 1
             C{"x*2\xE2\x82\xAC", kUnknown + "\xE2\x82\xAC"},        // €
             C{"1+\xF0\x9F\x98\x80", kUnknown + "\xF0\x9F\x98\x80"}, // an emoji, whole
             C{"\xCE\x94x+\xCF\x80", kUnknown + "\xCE\xB4"},         // the first one: δ
             C{"1,5", msg::kDecimalComma}, C{",x", msg::kDecimalComma},
             C{"x+1,", msg::kDecimalComma}, C{"2\xC2\xA0+x", kUnknown + "U+00A0"},
             C{"x\xE2\x80\x8B", kUnknown + "U+200B"}, C{"x\t", kUnknown + "U+0009"},
             C{"1\xFF", kUnknown + "U+FFFD"},
             // Marks and what shows nothing: by code, not sitting on the blank.
             C{"x\xCC\x81", kUnknown + "U+0301"}, C{"x*\xE2\x83\x9D", kUnknown + "U+20DD"},
             C{"\xE3\x85\xA4x", kUnknown + "U+3164"}, C{"x\xE2\x81\xA0", kUnknown + "U+2060"},
             C{"\xE1\x85\x9F+x", kUnknown + "U+115F"}, C{"2\xE2\x80\x8D", kUnknown + "U+200D"},
             // Every character in the language: checked as before.
             C{"&h10", ""}, C{"lge(x)*abs(x)+rad(3)(x+1)", ""}, C{"(-x)^2/p-e", ""},
             // An earlier check keeps its message, whatever follows.
             C{"\xCF\x80 x", msg::kBlank}, C{"sin\xCF\x80(x)", kUnknown + "sin\xCF\x80"},
             C{"(\xCF\x80", msg::kMoreOpen}, C{"\xCF\x80+", kRemove + "..."})) {
        EngineRun run;
        EXPECT_EQ(run.check(toLowerText(typed)), message) << typed;
    }
}

} // namespace
} // namespace curvalia::engine::testing
