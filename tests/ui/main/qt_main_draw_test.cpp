// The main window while a draw runs: what is disabled, what is refused (a
// second draw, "Calcola", saving), and how closing waits for the draw to stop
// and closes the other windows; the save dialog's result.
#include "calc/ValueWindow.h"
#include "support/qt_main_input_support.h"
#include "support/table_rows.h"
#include "ui/plotview/PlotActions.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct MainDrawTest : MainWindowRig {
    MainDrawTest() {
        fx()->setText("x");
        auto* actions = window.findChild<PlotActions*>("plotActions");
        actions->askPath = [this] {
            ++asked;
            return pathToGive;
        };
        actions->showError = [this](const QString& text) { errors << text; };
    }

    QLineEdit* area(const char* name) { return window.areaDialog()->findChild<QLineEdit*>(name); }

    int asked = 0;
    QString pathToGive;
    QStringList errors;
};

TEST_F(MainDrawTest, InputsAreDisabledAndASecondDrawIgnoredDuringADraw) {
    pressButton("Lente");
    calc::ValueWindow* calculator = window.valueWindow();
    ASSERT_NE(calculator, nullptr);
    QLineEdit* x = calculator->findChild<QLineEdit*>("VX");
    x->setText("3");
    auto* calculate = calculator->findChild<QPushButton*>("Command1");

    duringDraw([&] {
        EXPECT_FALSE(fx()->isEnabled());
        for (const char* name : {"Impostazioni", "Lente"})
            EXPECT_FALSE(picture(name)->isEnabled()) << name;
        EXPECT_FALSE(area("PrecisioneTXT")->isEnabled());
        EXPECT_FALSE(calculate->isEnabled());
        // The draw and stop buttons, the speed switch and the menus stay usable.
        EXPECT_TRUE(picture("penna")->isEnabled());
        EXPECT_TRUE(picture("Stopim")->isEnabled());
        EXPECT_TRUE(child<QAction>("verde")->isEnabled());

        // "Calcola" cannot touch the engine under the draw.
        calculator->calculate();
        pressKey(x, Qt::Key_Return);
        EXPECT_TRUE(calculator->findChild<QLineEdit*>("VY")->text().isEmpty());

        // A second draw, by the button or by Enter, is ignored: a nested one
        // would have re-enabled the inputs at its end.
        click(picture("penna"));
        pressKey(fx(), Qt::Key_Return); // the box is disabled: the key goes nowhere
        emit fx()->returnPressed();     // and had it arrived, the draw refuses a second run
        EXPECT_TRUE(window.isDrawing());
        EXPECT_FALSE(fx()->isEnabled());
    });
    pressKey(fx(), Qt::Key_Return); // draws as the draw button does
    EXPECT_FALSE(window.isDrawing());
    EXPECT_GT(pixelsOfColour(qRgb(0, 255, 0)), 300);

    EXPECT_TRUE(fx()->isEnabled());
    EXPECT_TRUE(picture("Lente")->isEnabled());
    EXPECT_TRUE(area("PrecisioneTXT")->isEnabled());
    // Afterwards "Calcola" runs again.
    pressKey(x, Qt::Key_Return);
    EXPECT_EQ(calculator->findChild<QLineEdit*>("VY")->text(), "3");
}

// "Calcola" empties the status line only when its own text is there: the
// same words written by a draw are the draw's, and stay.
TEST_F(MainDrawTest, CalcolaEmptiesOnlyTheStatusTextItWrote) {
    pressButton("Lente");
    auto* calculate = window.valueWindow()->findChild<QPushButton*>("Command1");
    const std::string trailing = "Errore di sitassi, eliminare l'operatore ...";
    const std::string pi = "Operatore non riconosciuto... \xCF\x80 (usare p)";
    const std::string brackets =
        "Eventuale errore nell'espressione, controllare bene le parentesi (scrivere 2*x)";
    enum Act { Calcola, Draw, Stop };
    using S = std::tuple<Act, const char*, std::string>; // what, expression, status after
    for (const auto& [act, expression, after] : ::curvalia::testing::rows(
             S{Calcola, "x+", trailing}, S{Calcola, "x", ""}, // the checker's, for Calcola
             S{Calcola, "2x", brackets}, S{Calcola, "x", ""}, // the engine's, noticed as a change
             S{Calcola, "x+", trailing}, S{Draw, "x+", trailing}, // now the draw's
             S{Calcola, "x", trailing}, S{Draw, "x", ""}, S{Draw, "2*\xCF\x80", pi},
             S{Calcola, "2*\xCF\x80", pi}, S{Calcola, "x", ""}, S{Calcola, "x+", trailing},
             S{Stop, "x", ""})) {
        fx()->setText(QString::fromUtf8(expression));
        if (act == Calcola)
            calculate->click();
        else if (act == Draw)
            click(picture("penna"));
        else
            pressButton("Stopim");
        EXPECT_EQ(status().toStdString(), after) << act << ' ' << expression;
    }
}

// (A stop during a draw: Esc, which presses the stop button, in the keyboard tests.)
TEST_F(MainDrawTest, CloseDuringAYieldingDrawEndsItEarly) {
    click(picture("speedSwitch")); // yield after every sample
    area("PrecisioneTXT")->setText("0.0001");
    pressButton("Lente");
    duringDraw([&] {
        window.close();
        // Still open: the draw is on the stack and must unwind first.
        EXPECT_TRUE(window.isVisible());
    });
    pressButton("penna");
    EXPECT_FALSE(window.isDrawing());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.valueWindow()->isVisible()); // closed with it
    EXPECT_EQ(greenRightOfCentre(), 0);
}

TEST_F(MainDrawTest, SavingDuringADrawIsRefusedWithANoteAfterItTheDialogDecides) {
    click(picture("speedSwitch"));
    QTemporaryDir dir;
    pathToGive = dir.filePath("grafico.PNG"); // the suffix in any case
    duringDraw([&] { child<QAction>("salvagrafico")->trigger(); });
    pressKey(fx(), Qt::Key_Enter); // the keypad's Enter draws too
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(QFileInfo::exists(pathToGive));
    EXPECT_EQ(child<QLabel>("Coordinate")->text(), QString::fromUtf8(PlotActions::kBusyNote));
    EXPECT_TRUE(child<QLabel>("Coordinate")->isVisible());
    EXPECT_TRUE(status().isEmpty()); // the draw's own status line

    // Once the draw is over the same entry saves what the window shows (without
    // the plot's one-pixel frame), or shows why it could not; copying copies it.
    const QImage shown = graph()->grab().toImage().copy(1, 1, 446, 310);
    child<QAction>("salvagrafico")->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(samePixels(QImage(pathToGive, "png"), shown));
    EXPECT_TRUE(errors.isEmpty());
    child<QAction>("copiagrafico")->trigger();
    EXPECT_TRUE(samePixels(QApplication::clipboard()->image(), shown));
    pathToGive.clear(); // cancelled
    child<QAction>("salvagrafico")->trigger();
    EXPECT_TRUE(errors.isEmpty());
    pathToGive = QStringLiteral("/percorso/che/non/esiste/grafico.svg");
    child<QAction>("salvagrafico")->trigger();
    EXPECT_EQ(errors, QStringList{"Impossibile salvare il grafico: la cartella "
                                  "\"/percorso/che/non/esiste\" non esiste."});
}

} // namespace
} // namespace curvalia::ui
