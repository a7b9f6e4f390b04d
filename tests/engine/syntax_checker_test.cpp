// The syntax check: the first error found, with its exact message.
#include "engine_support.h"

#include "engine/Messages.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

namespace curvalia::engine::testing {
namespace {

struct C {
    const char* expression;
    std::string message; // "" when accepted
};
void PrintTo(const C& c, std::ostream* os) {
    *os << '"' << c.expression << '"';
}

class CheckTable : public ::testing::TestWithParam<C> {};

TEST_P(CheckTable, AcceptsOrNamesTheFirstError) {
    EngineRun run;
    EXPECT_EQ(run.check(GetParam().expression), GetParam().message);
}

const std::string kRemove = msg::kRemoveOperatorPrefix, kUnknown = msg::kUnknownWordPrefix;

INSTANTIATE_TEST_SUITE_P(Accepted, CheckTable,
                         ::testing::Values(C{"x^2+3*x", ""}, C{"rad(3)(x+1)", ""},
                                           C{"lge(x)*abs(x)", ""}, C{"(-x)+1", ""},
                                           C{"2*sinh(x)", ""}, C{"sin", ""}, C{"(x+)", ""},
                                           C{"2x", ""}, C{"", ""}, C{"((5))", ""}),
                         ::curvalia::testing::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Refused, CheckTable,
    ::testing::Values(C{"sin (x)", msg::kBlank}, C{"x +", msg::kBlank},
                      C{"sinh(x)", kUnknown + "sinh"}, C{"sin+cos(x)", kUnknown + "sin+cos"},
                      C{"y+1", kUnknown + "y+1"}, C{"sinx(x)", kUnknown + "sin 0"},
                      C{"2*(sinh(x))", kUnknown + "sinh"}, C{"max(1)(2)", kUnknown + "max"},
                      C{"sec(x)", kUnknown + "sec"}, C{"(x+1", msg::kMoreOpen},
                      C{"x+1)", msg::kMoreClosed}, C{")", msg::kMoreClosed},
                      C{"-5)", msg::kMoreClosed}, C{"sin()", msg::kEmptyBrackets},
                      C{"(x+1)(x-1)", msg::kNeedOperator}, C{"-x", msg::kBadStart},
                      C{"*x", msg::kBadStart}, C{"^2", msg::kBadStart}, C{"(*x)", kRemove + "*..."},
                      C{"x+-1", kRemove + "-..."}, C{"x+", kRemove + "..."},
                      C{"sin(-)", msg::kCheckBrackets}, C{"2*(+x)", kRemove + "+..."}),
    ::curvalia::testing::CaseName());

TEST(CheckSyntax, LeavesTheArraysLoadedWithXTakenAsZero) {
    EngineRun run;
    EXPECT_EQ(run.check("x+1"), "");
    EXPECT_EQ(run.tokenList(), (std::vector<std::string>{" 0", "+", " 1"}));
}

} // namespace
} // namespace curvalia::engine::testing
