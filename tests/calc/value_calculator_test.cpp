// The value calculator against the real engine, and the locale of the
// "Valore" window's output.
#include "calc/ValueCalculator.h"
#include "calc/ValueWindow.h"

#include "support/table_rows.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

namespace curvalia::calc {
namespace {

struct Case {
    const char* expression;
    const char* x;
    const char *VY, *DPrima, *Angolo;
    const char* status = ""; // on the status line after the calculation
};

// The main window's status line, written by the engine and the calculator
// alike. (Whose text it holds is the real window's concern: see its tests.)
struct Rig {
    engine::Engine engine;
    std::string line;
    ValueCalculator calculator{
        engine, plainNumberText,
        StatusShare{[this](std::string_view m) { line = m; }, {}, [] { return true; }, {}}};
    Rig() {
        engine.setStatusSink([this](std::string_view m) { line = m; });
    }
};

const char* const kComma = "Usare il punto come separatore decimale";

TEST(ValueCalculator, ShowsFlooredValuesAndTheCheckersMessage) {
    for (const Case& c : ::curvalia::testing::rows( // Floored, and pi to ten digits: not 45.
             Case{"x", "0", "0", "1", "44.999"}, Case{"2*x", "0", "0", "2", "63.434"},
             // Floored, not rounded; negatives move away from zero.
             Case{"2/3", "0", "0.66666", "0", "0"}, Case{"0-2/3", "0", "-0.66667", "0", "0"},
             // Tiny negatives floor to -0.00001 (in the general form), and no zero shows a minus.
             Case{"x", "-1e-300", "-1e-05", "1", "44.999"}, Case{"x*(0-1)", "0", "0", "-1", "-45"},
             // The decimal value is floored, not its binary error.
             Case{"x", "0.29", "0.29", "1", "44.999"},
             // x is read by the engine's conversion: "" and "0,5" are 0.
             Case{"x", "", "0", "1", "44.999"}, Case{"x", "0,5", "0", "1", "44.999", kComma},
             Case{"x", "1e2", "100", "1", "45"},
             // From 1E10 on, x + 0.00001 has the same 15-digit text as x.
             Case{"x", "1e10", "10000000000", "0", "0"}, Case{"x*x", "-1e12", "1e+24", "0", "0"},
             // Too large to scale: shown as it is rather than not at all.
             Case{"x*1", "1e305", "1e+305", "0", "0"},
             // Undefined at x: no derivative either. Defined at x only: value only.
             Case{"lge(x)", "0", "Non definita!", "", ""},
             Case{"lge(0-x)", "-0.00001", "-11.51293", "", ""},
             // A non-finite x is no point of the curve.
             Case{"x", "1e999", "Non definita!", "", ""},
             // Only what the draw command would plot: lower-cased, through the same check.
             Case{"x+", "2", "Non definita!", "", "",
                  "Errore di sitassi, eliminare l'operatore ..."},
             Case{"y", "0", "Non definita!", "", "", "Operatore non riconosciuto... y"},
             // Nothing typed is no expression; one the evaluator stops on gets its hint.
             Case{"", "1", "Non definita!", "", "", "Scrivere l'espressione della funzione"},
             Case{"  ", "1", "Non definita!", "", "", "Scrivere l'espressione della funzione"},
             Case{"2X", "1", "Non definita!", "", "",
                  "Eventuale errore nell'espressione, controllare bene le parentesi (scrivere "
                  "2*x)"},
             Case{"SIN(X)", "1", "0.84147", "0.54029", "28.382"},
             // A character outside the language is named, not read as 0.
             Case{"2*\xCF\x80", "0", "Non definita!", "", "",
                  "Operatore non riconosciuto... \xCF\x80 (usare p)"},
             // An x the conversion cannot read whole is worked out as a
             // constant expression, or refused with its reason.
             Case{"sin(x)", "p/2", "1", "-1e-05", "-0.001"},
             Case{"x", "1/3", "0.33333", "1", "44.999"}, Case{"x", "0-p", "-3.1416", "1", "44.999"},
             Case{"x", "rad(3)(8)", "2", "1", "44.999"}, Case{"x", " 2 ", "2", "1", "44.999"},
             Case{"x", "&h10", "16", "0.99999", "44.999"},
             Case{"x", "x+1", "Non definita!", "", "", kXWithXMessage},
             Case{"x", "lgn(0-1)", "Non definita!", "", "", kXUndefinedMessage},
             Case{"x", "1+", "Non definita!", "", "",
                  "Errore di sitassi, eliminare l'operatore ..."},
             Case{"x", "abc", "Non definita!", "", "", "Operatore non riconosciuto... abc"})) {
        SCOPED_TRACE(std::string(c.expression) + " at x = \"" + c.x + '"');
        Rig rig;
        rig.calculator.calculate("x", "5"); // its fields are replaced, or emptied
        const CalcFields fields = rig.calculator.calculate(c.expression, c.x);
        EXPECT_EQ(fields.VY, c.VY);
        EXPECT_EQ(fields.DPrima, c.DPrima);
        EXPECT_EQ(fields.Angolo, c.Angolo);
        EXPECT_EQ(rig.line, c.status);
        // Only an x worked out from an expression is noted.
        EXPECT_EQ(fields.xFromExpression.has_value(),
                  !engine::readsAsWholeNumber(c.x) &&
                      std::string_view(c.x).find(',') == std::string_view::npos &&
                      fields.value.has_value());
    }
}

// The window's output in the user's locale; its input is always read with ".".
TEST(ValueWindow, OutputFollowsTheLocaleInputDoesNot) {
    const QLocale saved;
    for (const auto& [locale, VY, DPrima, Angolo, note] :
         {std::tuple{QLocale(QLocale::Italian, QLocale::Italy), "1001,16666", "0,99999", "44,999",
                     "x = 1,5708"},
          std::tuple{QLocale::c(), "1001.16666", "0.99999", "44.999", "x = 1.5708"}}) {
        QLocale::setDefault(locale);
        engine::Engine engine;
        std::string status;
        plot::DrawBusy busy;
        ValueWindow window(
            engine, [] { return std::string("2/3+x"); },
            StatusShare{[&](std::string_view m) { status = m; }, {}, {}, {}}, busy);
        window.findChild<QLineEdit*>("VX")->setText("1000.5");
        window.findChild<QPushButton*>("Command1")->click();
        EXPECT_EQ(window.findChild<QLineEdit*>("VY")->text(), VY);
        EXPECT_EQ(window.findChild<QLineEdit*>("DPrima")->text(), DPrima);
        EXPECT_EQ(window.findChild<QLineEdit*>("Angolo")->text(), Angolo);
        // An x worked out from an expression is noted under the fields, in
        // a window grown to hold the note, and only while it holds.
        const QSize own = window.size();
        auto* xNote = window.findChild<QLabel*>("XNote");
        EXPECT_TRUE(xNote->isHidden());
        window.calculateAt("p/2");
        EXPECT_FALSE(xNote->isHidden());
        EXPECT_EQ(xNote->text(), note);
        EXPECT_GE(window.height(), xNote->geometry().bottom());
        EXPECT_GT(window.height(), own.height());
        window.calculateAt("2");
        EXPECT_TRUE(xNote->isHidden());
        EXPECT_EQ(window.size(), own);
    }
    QLocale::setDefault(saved);
}

} // namespace
} // namespace curvalia::calc
