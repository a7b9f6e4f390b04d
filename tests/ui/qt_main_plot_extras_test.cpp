// What the main window offers beyond the draw command: the save entry in its
// place, Enter in the expression box, saving refused during a draw, the
// save dialog's result written or its failure shown, and copying.
#include "qt_main_input_support.h"
#include "ui/CoordinateLabel.h"
#include "ui/PlotActions.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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
    // Runs probe at the first yield of the next draw after its inputs were disabled.
    void duringDraw(std::function<void()> probe) {
        auto* poll = new QTimer(&window);
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, &window, [this, poll, probe = std::move(probe)] {
            if (!window.isDrawing() || fx()->isEnabled())
                return;
            poll->stop();
            poll->deleteLater();
            probe();
        });
        poll->start();
    }
    int curvePixels() { return pixelsOfColour(qRgb(0, 255, 0)); }

    int asked = 0;
    QString pathToGive;
    QStringList errors;
};

TEST_F(MainPlotExtrasTest, SaveEntryStandsBetweenGraficiAndUscita) {
    QMenu* menu = child<QMenu>("menu");
    QStringList names;
    for (QAction* a : menu->actions())
        names << (a->menu() ? a->menu()->objectName() : a->objectName());
    EXPECT_EQ(names, (QStringList{"coloreG", "derivat", "salvagrafico", "Uscita"}));
    QAction* save = child<QAction>("salvagrafico");
    EXPECT_EQ(save->text(), "&Salva grafico...");
    EXPECT_EQ(save->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QStringList bar;
    for (QAction* a : window.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"Menu", "Opzioni", "&?"}));
    for (const auto& [other, expected] :
         {std::pair{"optionx", QStringList{"GrigliaM", "noncancellare"}},
          std::pair{"in", QStringList{"credits", "help"}}}) {
        QStringList entries;
        for (QAction* a : child<QMenu>(other)->actions())
            entries << a->objectName();
        EXPECT_EQ(entries, expected) << other;
    }
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

TEST_F(MainPlotExtrasTest, CopyIsCtrlCOnTheFocusedPlotAndInItsContextMenu) {
    pressButton("penna_bn", "penna");
    auto* graph = child<PlotSurfaceWidget>("Graph");
    QAction* copy = child<QAction>("copiagrafico");
    EXPECT_EQ(copy->text(), "Copia grafico");
    EXPECT_EQ(copy->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    EXPECT_EQ(copy->shortcutContext(), Qt::WidgetShortcut);
    EXPECT_EQ(graph->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(graph->contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(graph->actions(), (QList<QAction*>{copy, child<QAction>("salvagrafico")}));
    // Ctrl+C in the expression box stays the box's own copy.
    EXPECT_FALSE(fx()->actions().contains(copy));

    QApplication::clipboard()->clear();
    copy->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              graph->image().convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace curvalia::ui
