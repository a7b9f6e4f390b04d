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
        // A non-finite x is no point of the curve.
        Case{"x", "1e999", "Non definita!", "", ""}, Case{"x", "-1e999", "Non definita!", "", ""}),
    ::curvalia::testing::CaseName());

TEST(ValueCalculator, UndefinedValueEmptiesEarlierDerivative) {
    engine::Engine engine;
    ValueCalculator calculator(engine, plainNumberText, {});
    EXPECT_EQ(calculator.calculate("lge(x)", "1").DPrima, "0.99999");
    const CalcFields fields = calculator.calculate("lge(x)", "0");
    EXPECT_EQ(fields.DPrima, "");
    EXPECT_EQ(fields.Angolo, "");
}

// The main window's status line, written by the engine and the calculator
// alike, as the real window wires them.
struct StatusRig {
    engine::Engine engine;
    std::string line;
    ValueCalculator calculator{engine, plainNumberText, [this](std::string_view m) { line = m; },
                               [this] { return line; }};
    StatusRig() {
        engine.setStatusSink([this](std::string_view m) { line = m; });
    }
};

struct CheckCase {
    const char* expression;
    const char* x;
    Case shown; // its expression and x unused
    const char* status;
};

// The calculator evaluates only what the draw command would plot: lower-cased
// and through the same syntax check.
TEST(ValueCalculator, ChecksAndLowerCasesLikeTheDrawCommand) {
    const CheckCase cases[] = {
        // A trailing operator has no next token to name.
        {"x+",
         "2",
         {"", "", "Non definita!", "", ""},
         "Errore di sitassi, eliminare l'operatore ..."},
        {"^^^^",
         "0",
         {"", "", "Non definita!", "", ""},
         "L'espressione non pu\xC3\xB2 iniziare in questo modo"},
        {"y", "0", {"", "", "Non definita!", "", ""}, "Operatore non riconosciuto... y"},
        {"X", "2", {"", "", "2", "1", "44.999"}, ""},
        {"SIN(X)", "1", {"", "", "0.84147", "0.54029", "28.382"}, ""},
    };
    for (const CheckCase& c : cases) {
        StatusRig rig;
        rig.calculator.calculate("x", "5"); // earlier fields are replaced
        const CalcFields fields = rig.calculator.calculate(c.expression, c.x);
        EXPECT_EQ(fields.VY, c.shown.VY) << c.expression;
        EXPECT_EQ(fields.DPrima, c.shown.DPrima) << c.expression;
        EXPECT_EQ(fields.Angolo, c.shown.Angolo) << c.expression;
        EXPECT_EQ(rig.line, c.status) << c.expression;
    }
}

// Each "Calcola" replaces the status texts it wrote before; a text the draw
// command left stays until something new is said.
TEST(ValueCalculator, StatusTextsDoNotOutliveTheirCalculation) {
    const char* const comma = "Usare il punto come separatore decimale";
    const struct {
        const char* drawWrote; // nullptr: the line is left as the last step left it
        const char* expression;
        const char* x;
        const char* status;
    } steps[] = {
        {nullptr, "x", "0,5", comma},
        {nullptr, "x", "1", ""},
        {nullptr, "x+", "1", "Errore di sitassi, eliminare l'operatore ..."},
        {nullptr, "x", "1", ""},
        {nullptr, "2x", "1", "Eventuale errore nell'espressione, controllare bene le parentesi"},
        {nullptr, "x", "1", ""},
        {"Campi errati", "x", "1", "Campi errati"},
        {nullptr, "x", "0,5", comma},
        {"Elaborazione in corso...", "x", "1", "Elaborazione in corso..."},
        {comma, "x", "1", comma}, // the same words, but not this calculator's
    };
    StatusRig rig;
    for (const auto& step : steps) {
        if (step.drawWrote)
            rig.line = step.drawWrote;
        rig.calculator.calculate(step.expression, step.x);
        EXPECT_EQ(rig.line, step.status) << step.expression << " at " << step.x;
    }
}

TEST(FloorToDecimals, EdgesOfTheScaledValue) {
    EXPECT_EQ(floorToDecimals(-1e-300, 5), -0.00001);
    EXPECT_EQ(floorToDecimals(1e305, 5), 1e305);
    EXPECT_EQ(floorToDecimals(-0.0, 5), 0.0);
    EXPECT_FALSE(std::signbit(floorToDecimals(-0.0, 5))); // never "-0"
}

} // namespace
} // namespace curvalia::calc
