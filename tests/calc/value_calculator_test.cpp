// The value calculator's computation against the real engine, with the
// plain "." formatter (the locale formatter is tested with the window).
#include "calc/ValueCalculator.h"

#include "support/case_name.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace curvalia::calc {
namespace {

struct Case {
    const char* expression;
    const char* x;
    const char* VY;
    const char* DPrima;
    const char* Angolo;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << c.expression << "\" at x = \"" << c.x << '"';
}

class ValueCalculatorTest : public ::testing::TestWithParam<Case> {};

TEST_P(ValueCalculatorTest, ShowsFlooredValues) {
    const Case& c = GetParam();
    engine::Engine engine;
    ValueCalculator calculator(engine, plainNumberText, {});
    const CalcFields fields = calculator.calculate(c.expression, c.x);
    EXPECT_EQ(fields.VY, c.VY);
    EXPECT_EQ(fields.DPrima, c.DPrima);
    EXPECT_EQ(fields.Angolo, c.Angolo);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ValueCalculatorTest,
    ::testing::Values(
        // Floored, and pi to ten digits: not 45.
        Case{"x", "0", "0", "1", "44.999"}, Case{"0-x", "0", "0", "-1", "-45"},
        Case{"2*x", "0", "0", "2", "63.434"},
        // Floored, not rounded; negatives move away from zero.
        Case{"2/3", "0", "0.66666", "0", "0"}, Case{"0-2/3", "0", "-0.66667", "0", "0"},
        // The decimal value is floored, not its binary error.
        Case{"x", "0.29", "0.29", "1", "44.999"}, Case{"x", "1.13", "1.13", "1", "44.999"},
        // x is read by the engine's conversion: "" and "0,5" are 0.
        Case{"x", "", "0", "1", "44.999"}, Case{"x", "0,5", "0", "1", "44.999"},
        Case{"x", "1e2", "100", "1", "45"},
        // From 1E10 on, x + 0.00001 has the same 15-digit text as x.
        Case{"x", "1e10", "10000000000", "0", "0"}, Case{"x*x", "-1e12", "1e+24", "0", "0"},
        // Too large to scale: shown as it is rather than not at all.
        Case{"x*1", "1e305", "1e+305", "0", "0"},
        // Undefined at x: no derivative either. Defined at x only: value only.
        Case{"lge(x)", "0", "Non definita!", "", ""},
        Case{"lge(0-x)", "-0.00001", "-11.51293", "", ""},
        Case{"asin(x)", "0.99999", "1.56632", "", ""},
        // Upper case is not lowered; a non-finite x is no point of the curve.
        Case{"SIN(X)", "1", "Non definita!", "", ""}, Case{"x", "1e999", "Non definita!", "", ""},
        Case{"x", "-1e999", "Non definita!", "", ""}),
    ::curvalia::testing::CaseName());

TEST(ValueCalculator, UndefinedValueEmptiesEarlierDerivativeAndCommaIsExplained) {
    engine::Engine engine;
    std::vector<std::string> status;
    ValueCalculator calculator(engine, plainNumberText,
                               [&](std::string_view m) { status.emplace_back(m); });
    EXPECT_EQ(calculator.calculate("lge(x)", "1").DPrima, "0.99999");
    const CalcFields fields = calculator.calculate("lge(x)", "0");
    EXPECT_EQ(fields.DPrima, "");
    EXPECT_EQ(fields.Angolo, "");
    EXPECT_TRUE(status.empty());
    calculator.calculate("x", "0,5");
    EXPECT_EQ(status, std::vector<std::string>{"Usare il punto come separatore decimale"});
}

TEST(FloorToDecimals, EdgesOfTheScaledValue) {
    EXPECT_EQ(floorToDecimals(-1e-300, 5), -0.00001);
    EXPECT_EQ(floorToDecimals(1e305, 5), 1e305);
    EXPECT_EQ(floorToDecimals(-0.0, 5), 0.0);
    EXPECT_FALSE(std::signbit(floorToDecimals(-0.0, 5))); // never "-0"
}

} // namespace
} // namespace curvalia::calc
