// The study window as the user meets it: F7 on what the box holds, the table
// and the sentences in the locale's numbers, "Copia", waiting for a draw,
// following the view, the marks on the plot and the trace's Ctrl+arrows.
#include "support/qt_main_input_support.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/windows/StudyWindow.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct StudyWindowTest : MainWindowRig {
    StudyWindowTest() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        fx()->setText("x^3-3*x");
        pressButton("penna");
    }
    ~StudyWindowTest() override { QLocale::setDefault(QLocale::c()); }
    StudyWindow* open() {
        window.findChild<QAction*>("studio")->trigger();
        return window.findChild<StudyWindow*>();
    }
    QStringList rows(StudyWindow* study) {
        QStringList out;
        for (int r = 0; r < study->table()->rowCount(); ++r)
            out << study->table()->item(r, 0)->text() + " " + study->table()->item(r, 1)->text() +
                       " " + study->table()->item(r, 2)->text();
        return out;
    }
    QString readOut() { return child<QLabel>("Coordinate")->text(); }
};

TEST_F(StudyWindowTest, ShowsTheStudyOfTheBoxAndReadsWellToAScreenReader) {
    StudyWindow* study = open();
    ASSERT_NE(study, nullptr);
    EXPECT_TRUE(study->isVisible());
    EXPECT_EQ(rows(study), (QStringList{"zero -1,73205 0", "massimo relativo -1 2", "zero 0 0",
                                        "intersezione con l'asse y 0 0", "flesso 0 0",
                                        "minimo relativo 1 -2", "zero 1,73205 0"}));
    EXPECT_TRUE(study->sentences()->toPlainText().startsWith(
        "f > 0 per x in (-1,73205; 0) e (1,73205; 10)\n"));
    EXPECT_TRUE(study->sentences()->isReadOnly());
    for (const auto& [widget, name] :
         {std::pair<QWidget*, QString>{study->table(), "Punti della funzione"},
          {study->sentences(), "Intervalli e asintoti"},
          {study->findChild<QCheckBox*>("MostraSulGrafico"), "Mostra sul grafico"},
          {study->findChild<QPushButton*>("Copia"), "Copia"}})
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
    study->findChild<QPushButton*>("Copia")->click();
    EXPECT_TRUE(QApplication::clipboard()->text().contains("massimo relativo\t-1\t2\n"));

    // A refused text says why, with nothing in the table.
    fx()->setText("sin(x");
    study->refresh();
    EXPECT_EQ(study->table()->rowCount(), 0);
    EXPECT_EQ(study->sentences()->toPlainText(),
              "Le parentesi APERTE sono maggiori di quelle chiuse");
}

TEST_F(StudyWindowTest, WaitsForADrawFollowsTheViewAndGuidesTheTrace) {
    StudyWindow* study = open();
    fx()->setText("sin(x)");
    duringDraw([&] { study->refresh(); });
    pressButton("penna");
    QApplication::processEvents(); // the study runs once the draw has ended
    EXPECT_EQ(rows(study).filter(QRegularExpression("^zero ")).size(), 7);

    // The marks: rings in the curve's green; Ctrl+Right goes from point to point.
    auto* graph = child<PlotSurfaceWidget>("Graph");
    EXPECT_GT(pixelsOfColour(qRgb(0, 255, 0)), 0);
    window.findChild<QAction*>("traccia")->trigger();
    graph->setFocus();
    pressKey(graph, Qt::Key_Home);
    for (const char* text :
         {"zero, flesso: x = -9,42478   f(x) = 0", "minimo relativo: x = -7,85398   f(x) = -1",
          "zero, flesso: x = -6,28319   f(x) = 0"}) {
        pressKey(graph, Qt::Key_Right, "", Qt::ControlModifier);
        EXPECT_TRUE(readOut().startsWith(QString::fromUtf8(text))) << readOut().toStdString();
    }

    // Eight notches in around the middle: only the zero at 0 stays in view.
    sendWheel(graph, QPointF(224, 155.5), 8);
    EXPECT_EQ(rows(study).filter(QRegularExpression("^zero ")).size(), 1);
}

} // namespace
} // namespace curvalia::ui
