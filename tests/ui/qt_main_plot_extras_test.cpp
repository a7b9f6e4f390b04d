// What the main window offers beyond the draw command: the save entry in its
// place, Enter in the expression box, saving refused during a draw, the
// save dialog's result written or its failure shown.
#include "qt_main_input_support.h"
#include "ui/CoordinateLabel.h"
#include "ui/PlotActions.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct MainPlotExtrasTest : MainWindowRig {
    MainPlotExtrasTest() {
        fx()->setText("sin(x)");
        actions()->askPath = [this] {
            ++asked;
            return pathToGive;
        };
        actions()->showError = [this](const QString& text) { errors << text; };
    }
    PlotActions* actions() { return window.findChild<PlotActions*>("plotActions"); }
    void pressKey(QWidget* w, int key) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier);
            QApplication::sendEvent(w, &event);
        }
    }
    int curvePixels() { return pixelsOfColour(qRgb(0, 255, 0)); }

    int asked = 0;
    QString pathToGive;
    QStringList errors;
};

TEST_F(MainPlotExtrasTest, SaveEntryStandsBetweenGraficiAndUscita) {
    QStringList names;
    for (QAction* a : child<QMenu>("menu")->actions())
        names << (a->menu() ? a->menu()->objectName() : a->objectName());
    EXPECT_EQ(names, (QStringList{"coloreG", "derivat", "salvagrafico", "Uscita"}));
    EXPECT_EQ(child<QAction>("salvagrafico")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
}

TEST_F(MainPlotExtrasTest, EnterAndReturnDrawAsTheDrawButtonDoes) {
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        child<PlotSurfaceWidget>("Graph")->Cls();
        ASSERT_EQ(curvePixels(), 0);
        pressKey(fx(), key);
        EXPECT_GT(curvePixels(), 300) << key;
        EXPECT_FALSE(window.isDrawing());
        EXPECT_TRUE(fx()->isEnabled());
    }
}

TEST_F(MainPlotExtrasTest, ASecondEnterDuringADrawIsIgnored) {
    click(picture("Image2")); // yield after every sample
    bool probed = false;
    duringDraw([&] {
        probed = true;
        pressKey(fx(), Qt::Key_Return); // the box is disabled: the key goes nowhere
        emit fx()->returnPressed();     // and had it arrived, the draw refuses a second run
        // A nested draw would have enabled the inputs again at its end.
        EXPECT_TRUE(window.isDrawing());
        EXPECT_FALSE(fx()->isEnabled());
    });
    pressKey(fx(), Qt::Key_Return);
    EXPECT_TRUE(probed);
    EXPECT_FALSE(window.isDrawing());
    EXPECT_GT(curvePixels(), 300);
}

TEST_F(MainPlotExtrasTest, SavingDuringADrawIsRefusedWithANote) {
    click(picture("Image2"));
    QTemporaryDir dir;
    pathToGive = dir.filePath("grafico.png");
    duringDraw([&] { child<QAction>("salvagrafico")->trigger(); });
    pressButton("penna_bn", "penna");
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(QFileInfo::exists(pathToGive));
    EXPECT_EQ(child<QLabel>("Coordinate")->text(), QString::fromUtf8(PlotActions::kBusyNote));
    EXPECT_TRUE(child<QLabel>("Coordinate")->isVisible());
    EXPECT_TRUE(child<QLabel>("StatusBar")->text().isEmpty()); // the draw's own status line

    // Once the draw is over the same entry saves.
    child<QAction>("salvagrafico")->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(QImage(pathToGive).size(), QSize(446, 310));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(MainPlotExtrasTest, ACancelledDialogSavesNothingAndAFailureIsShown) {
    pressButton("penna_bn", "penna");
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
