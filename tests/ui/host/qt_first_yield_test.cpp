// What arrives in the first yield of a draw, before its inputs are disabled:
// the draw is busy from its very start, so nothing computed on the old frame
// survives into the new one, and the status line keeps whose text it shows.
#include "calc/ValueWindow.h"
#include "support/qt_main_input_support.h"
#include "ui/explore/TraceControl.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

enum class Arrival { Calcola, FieldEdit, ZoomNotch, TraceKey, SecondDraw };

struct FirstYield : MainWindowRig {
    TraceControl* trace() { return window.findChild<TraceControl*>("traceControl"); }
    QString valore(const char* field) {
        return window.valueWindow()->findChild<QLineEdit*>(field)->text();
    }
    void drawNow() { window.findChild<QAction*>("disegna")->trigger(); }
    void calcola(const char* x) {
        window.valueWindow()->findChild<QLineEdit*>("VX")->setText(QString::fromLatin1(x));
        window.valueWindow()->findChild<QPushButton*>("Command1")->click();
    }
    // Runs act inside the first yield of the draw that the next request
    // starts: the draw runs, and its inputs are not yet disabled.
    void inFirstYield(std::function<void()> act) {
        ranInFirstYield = false;
        QTimer::singleShot(0, &window, [this, act = std::move(act)] {
            ranInFirstYield = window.isDrawing() && fx()->isEnabled();
            act();
        });
    }
    void arrive(Arrival what) {
        switch (what) {
        case Arrival::Calcola:
            calcolaEnabled = window.valueWindow()->findChild<QPushButton*>("Command1")->isEnabled();
            calcola("3");
            break;
        case Arrival::FieldEdit: {
            plot::RangeTexts texts = window.areaDialog()->rangeTexts();
            texts.xmax = "5";
            window.areaDialog()->setRangeTexts(texts);
            break;
        }
        case Arrival::ZoomNotch:
            sendWheel(graph(), QPointF(graph()->width() / 2.0, graph()->height() / 2.0), 1);
            break;
        case Arrival::TraceKey:
            pressKey(graph(), Qt::Key_Right);
            break;
        case Arrival::SecondDraw:
            drawNow();
            break;
        }
    }

    bool ranInFirstYield = false;
    bool calcolaEnabled = true;
};

TEST_F(FirstYield, NothingOfTheOldFrameSurvivesAndTheStatusLineKeepsItsWriter) {
    struct Case {
        const char* name;
        Arrival arrival;
        bool rangeChanged;
        const char* expression; // drawn with the arrival; "x^2+" is refused by the checker
    };
    const plot::RangeTexts defaults;
    const plot::RangeTexts wider{"0", "20", "0", "100", "0.01"};
    std::vector<Case> cases;
    for (const auto& [name, arrival] :
         {std::pair{"calcola", Arrival::Calcola}, std::pair{"field_edit", Arrival::FieldEdit},
          std::pair{"zoom_notch", Arrival::ZoomNotch}, std::pair{"trace_key", Arrival::TraceKey},
          std::pair{"second_draw", Arrival::SecondDraw}})
        for (const bool changed : {false, true})
            for (const char* expression : {"x^2", "x^2+"})
                cases.push_back({name, arrival, changed, expression});
    window.findChild<QAction*>("traccia")->setChecked(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.rangeChanged ? " range changed " : " same range ") +
                     c.expression);
        // The old frame: x^2 drawn, "Calcola" at 1 with its tangent, a traced point.
        window.areaDialog()->setRangeTexts(defaults);
        fx()->setText("x^2");
        drawNow();
        pressButton("Lente");
        calcola("1");
        pressKey(graph(), Qt::Key_Right);
        ASSERT_TRUE(trace()->marks().tangent);
        ASSERT_TRUE(trace()->marks().cross);

        if (c.rangeChanged)
            window.areaDialog()->setRangeTexts(wider);
        fx()->setText(QString::fromLatin1(c.expression));
        const plot::RangeTexts before = window.areaDialog()->rangeTexts();
        inFirstYield([this, &c] { arrive(c.arrival); });
        drawNow();
        ASSERT_TRUE(ranInFirstYield);
        EXPECT_FALSE(window.isDrawing());

        // No mark of the old frame over the new one.
        EXPECT_FALSE(trace()->marks().tangent);
        EXPECT_FALSE(trace()->marks().cross);
        // "Calcola" is refused from the draw's first step: its fields stay.
        if (c.arrival == Arrival::Calcola) {
            EXPECT_FALSE(calcolaEnabled);
            EXPECT_EQ(valore("VY"), "1");
        }
        // A field edit before the fields are disabled is read by the draw; a
        // zoom notch writes nothing into them.
        plot::RangeTexts expected = before;
        if (c.arrival == Arrival::FieldEdit)
            expected.xmax = "5";
        EXPECT_EQ(window.areaDialog()->rangeTexts().xmax, expected.xmax);
        EXPECT_EQ(window.areaDialog()->rangeTexts().ymax, expected.ymax);

        // The draw's last word stays its own: a later "Calcola" empties only
        // a text of its own.
        const QImage drawn = graph()->image();
        const QString left = status();
        EXPECT_EQ(left.isEmpty(), std::string(c.expression) == "x^2");
        fx()->setText("x^2");
        calcola("2");
        EXPECT_EQ(status(), left);

        // The picture and the status line are those of the same draw made
        // with nothing arriving in its first yield.
        fx()->setText(QString::fromLatin1(c.expression));
        drawNow();
        EXPECT_TRUE(samePixels(graph()->image(), drawn));
        EXPECT_EQ(status(), left);
    }
}

} // namespace
} // namespace curvalia::ui
