// The syntax check: the first error found, with its exact message.
#include "engine_support.h"

#include "engine/Messages.h"

#include <gtest/gtest.h>

#include <string>

namespace curvalia::engine::testing {
namespace {

struct CheckCase {
    const char* expression;
    std::string message; // "" when accepted
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << '"' << c.expression << '"';
}

class CheckTable : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTable, AcceptsOrNamesTheFirstError) {
    EngineRun run;
    EXPECT_EQ(run.check(GetParam().expression), GetParam().message);
}

const std::string kRemove = msg::kRemoveOperatorPrefix;
const std::string kUnknown = msg::kUnknownWordPrefix;

INSTANTIATE_TEST_SUITE_P(Accepted, CheckTable,
                         ::testing::Values(CheckCase{"sin(x)", ""}, CheckCase{"x^2+3*x", ""},
                                           CheckCase{"rad(3)(x+1)", ""},
                                           CheckCase{"lge(x)*abs(x)", ""}, CheckCase{"(-x)+1", ""},
                                           CheckCase{"2*sinh(x)", ""}, CheckCase{"sin", ""},
                                           CheckCase{"(x+)", ""}, CheckCase{"2x", ""},
                                           CheckCase{"", ""}, CheckCase{"sin(x)*x^2+3*x-1", ""},
                                           CheckCase{"((5))", ""}));

INSTANTIATE_TEST_SUITE_P(
    Refused, CheckTable,
    ::testing::Values(
        CheckCase{"sin (x)", msg::kBlank}, CheckCase{"sinh (x", msg::kBlank},
        CheckCase{"x +", msg::kBlank}, CheckCase{"sinh(x)", kUnknown + "sinh"},
        CheckCase{"sin+cos(x)", kUnknown + "sin+cos"}, CheckCase{"y+1", kUnknown + "y+1"},
        CheckCase{"sinx(x)", kUnknown + "sin 0"}, CheckCase{"2*(sinh(x))", kUnknown + "sinh"},
        CheckCase{"max(1)(2)", kUnknown + "max"}, CheckCase{"sec(x)", kUnknown + "sec"},
        CheckCase{"(x+1", msg::kMoreOpen}, CheckCase{"x+1)", msg::kMoreClosed},
        CheckCase{")", msg::kMoreClosed}, CheckCase{"-5)", msg::kMoreClosed},
        CheckCase{"*5)+1", msg::kMoreClosed}, CheckCase{"sin()", msg::kEmptyBrackets},
        CheckCase{"(x+1)(x-1)", msg::kNeedOperator}, CheckCase{"-x", msg::kBadStart},
        CheckCase{"+x", msg::kBadStart}, CheckCase{"*x", msg::kBadStart},
        CheckCase{"^2", msg::kBadStart}, CheckCase{"(*x)", kRemove + "*..."},
        CheckCase{"x+-1", kRemove + "-..."}, CheckCase{"x+", kRemove + "..."},
        CheckCase{"sin(-)", msg::kCheckBrackets}, CheckCase{"2*(+x)", kRemove + "+..."}));

TEST(CheckSyntax, LeavesTheArraysLoadedWithXTakenAsZero) {
    EngineRun run;
    EXPECT_EQ(run.check("x+1"), "");
    EXPECT_EQ(run.engine.chars(0), " 0");
    EXPECT_EQ(run.tokenList(), (std::vector<std::string>{" 0", "+", " 1"}));
}

TEST(CheckSyntax, WritesNothingOnSuccessAndOneMessageOnError) {
    EngineRun run;
    run.engine.emptyArrays();
    EXPECT_TRUE(run.engine.CheckSyntax("x"));
    EXPECT_TRUE(run.messages.empty());
    EXPECT_FALSE(run.engine.CheckSyntax("(x"));
    EXPECT_EQ(run.messages.size(), 1u);
}

} // namespace
} // namespace curvalia::engine::testing
