// Exploring the plot: the trace against the value calculator's own output,
// zoom and pan through the wheel, drags, boxes and keys, which move the view
// and leave "Area" alone, the tangent after "Calcola", and what is refused
// while a draw runs.
#include "calc/ValueWindow.h"
#include "plot/draw_rig_support.h"
#include "support/qt_main_input_support.h"
#include "support/table_rows.h"
#include "ui/explore/CoordinateLabel.h"
#include "ui/explore/CurveTracer.h"
#include "ui/explore/PlotExplorer.h"
#include "ui/explore/TraceControl.h"
#include "ui/plotview/PlotExporter.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

// A draw on fake surfaces, with the engine's status messages counted.
struct TracedDraw : plot::testing::DrawRig {
    explicit TracedDraw(const char* expression, plot::RangeTexts texts = {}) {
        engine.setStatusSink([this](std::string_view) { ++statusWrites; });
        host.expression = expression;
        host.texts = texts;
        command.run();
    }
    // What "Valore" shows for the point's x, from a calculator of its own.
    QString calculatorReadOut(const CurveTracer::Point& point, const char* xShown) {
        engine::Engine own;
        calc::ValueCalculator calculator(own, calc::localeNumberText, {});
        return CurveTracer::readOutText(
            QString::fromLatin1(xShown),
            calculator.calculate(host.expression, point.xText.toStdString()));
    }

    int statusWrites = 0;
    CurveTracer tracer{engine, command};
};

TEST(CurveTracer, ReadsOutWhatTheCalculatorShowsAtTheNearestSample) {
    struct Case {
        const char* name;
        const char* expression;
        plot::RangeTexts texts;
        double column;
        double x;           // the chosen sample of the grid Xmin + k * Step, exactly
        const char* xShown; // with the step's decimals
        bool crossShown;    // defined and inside the frame
        const char* shows;  // part of the read-out
    };
    const plot::RangeTexts defaults;
    for (const Case& c : ::curvalia::testing::rows(
             Case("centre", "x^2", defaults, 3337.5, 0, "0.00", true, "f(x) = 0"),
             Case("out_of_the_frame", "x^2", defaults, 6675, 10, "10.00", false, "f(x) = 100"),
             Case("undefined", "lgn(x)", defaults, 1000, -7, "-7.00", false, "f(x) = non definita"),
             Case("coarse_step", "x", {"0", "10", "-1", "20", "2.5"}, 3000, 5, "5.0", true,
                  "x = 5.0"),
             // The sweep's running sum stands at 0.999999999999938 here.
             Case("pole_on_the_grid", "(x^2-4)/(x-1)", {"-5", "5", "-10", "10", "0.01"}, 4005, 1,
                  "1.00", false, "f(x) = non definita"))) {
        SCOPED_TRACE(c.name);
        TracedDraw draw(c.expression, c.texts);
        const int writes = draw.statusWrites;
        const CurveTracer::Point* point = draw.tracer.at(c.column);
        ASSERT_NE(point, nullptr);
        EXPECT_EQ(point->x, c.x);
        EXPECT_EQ(point->cross.has_value(), c.crossShown);
        EXPECT_EQ(point->readOut, draw.calculatorReadOut(*point, c.xShown));
        EXPECT_TRUE(point->readOut.contains(QString::fromLatin1(c.shows)))
            << point->readOut.toStdString();
        EXPECT_EQ(draw.statusWrites, writes);
    }
}

TEST(CurveTracer, LeavesTheStatusLineAndTheStopFlagAlone) {
    // "2x" passes the check, then stops the sweep at its first sample with
    // the bracket message: the calculator's computation would do the same.
    TracedDraw draw("2x");
    draw.engine.StopRequested = 0;
    const int writes = draw.statusWrites;
    ASSERT_NE(draw.tracer.first(), nullptr);
    EXPECT_EQ(draw.engine.StopRequested, 0);
    EXPECT_EQ(draw.statusWrites, writes);
}

using View = std::array<double, 5>;

struct PlotExplorerTest : MainWindowRig {
    PlotExplorerTest() {
        fx()->setText("x^2");
        draw();
    }
    void draw() { pressButton("penna"); }
    TraceControl* trace() { return window.findChild<TraceControl*>("traceControl"); }
    QStringList fields() {
        const plot::RangeTexts t = window.areaDialog()->rangeTexts();
        return QStringList{QString::fromStdString(t.xmin), QString::fromStdString(t.xmax),
                           QString::fromStdString(t.ymin), QString::fromStdString(t.ymax),
                           QString::fromStdString(t.step)};
    }
    void wheel(QPointF at, int notches) { sendWheel(graph(), at, notches); }
    void dragBy(QPointF from, QPointF by) {
        sendMouse(graph(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from);
        sendMouse(graph(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, from + by / 2);
        sendMouse(graph(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, from + by);
        sendMouse(graph(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, from + by);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        pressKey(graph(), k, "", modifiers);
    }
    void boxBy(QPointF from, QPointF by) {
        sendMouse(graph(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from,
                  Qt::ShiftModifier);
        sendMouse(graph(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, from + by,
                  Qt::ShiftModifier);
        sendMouse(graph(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, from + by,
                  Qt::ShiftModifier);
    }
    View view() {
        const plot::PlotRange v = *window.plotModel().view();
        return {v.Xmin, v.Xmax, v.Ymin, v.Ymax, v.Step};
    }
    QString readOut() { return child<QLabel>("Coordinate")->text(); }
};

const QStringList kDefaults{"-10", "10", "-10", "10", "0.01"};
const View kHome{-10, 10, -10, 10, 0.01};

// The plot's drawing starts one pixel in (its border); pixel 224 is the
// middle column, 15 twips each.
const QPointF kMiddle(224, 155.5);

TEST_F(PlotExplorerTest, WheelDragsKeysAndBoxesMoveTheViewAndNeverTheFields) {
    // One pixel of the drawing in units of the home range.
    const double px = 15 * 20 / plot::PlotWidth, py = 15 * 20 / plot::PlotHeight;
    struct Step {
        const char* name;
        std::function<void()> act;
        View expected;
        double tolerance = 0; // 0: bit for bit
    };
    const Step steps[] = {
        {"three_in", [&] { wheel(kMiddle, 3); }, {}, -1},
        {"three_out_give_back_home", [&] { wheel(kMiddle, -3); }, kHome},
        {"plus", [&] { key(Qt::Key_Plus); }, {-8, 8, -8, 8, 0.008}, 1e-12},
        {"minus", [&] { key(Qt::Key_Minus); }, kHome},
        {"drag",
         [&] { dragBy(kMiddle, QPointF(45, 0)); },
         {-10 - 45 * px, 10 - 45 * px, -10, 10, 0.01},
         1e-12},
        {"left_then_down",
         [&] { key(Qt::Key_Left), key(Qt::Key_Down); },
         {-12 - 45 * px, 8 - 45 * px, -12, 8, 0.01},
         1e-12},
        {"home", [&] { key(Qt::Key_0, Qt::ControlModifier); }, kHome},
        {"box",
         [&] { boxBy(QPointF(1 + 112, 1 + 77), QPointF(112, 77)); },
         {-10 + 112 * px, -10 + 224 * px, 10 - 154 * py, 10 - 77 * py, 0.00252},
         1e-12},
        {"too_narrow",
         [&] { wheel(kMiddle, 200); },
         {-10 + 112 * px, -10 + 224 * px, 10 - 154 * py, 10 - 77 * py, 0.00252},
         1e-12},
        {"back_home", [&] { key(Qt::Key_0, Qt::ControlModifier); }, kHome},
        {"too_wide", [&] { wheel(kMiddle, -200); }, kHome},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        const View now = view();
        if (step.tolerance == 0) {
            EXPECT_EQ(now, step.expected);
        } else if (step.tolerance > 0) {
            for (std::size_t i = 0; i < now.size(); ++i)
                EXPECT_NEAR(now[i], step.expected[i], step.tolerance) << i;
        }
        EXPECT_EQ(fields(), kDefaults);
        EXPECT_FALSE(window.isDrawing());
        EXPECT_TRUE(status().isEmpty()) << status().toStdString();
    }
    wheel(kMiddle, 200);
    EXPECT_EQ(readOut(), QString::fromUtf8(PlotExplorer::kTooNarrowNote));
    wheel(kMiddle, -200);
    EXPECT_EQ(readOut(), QString::fromUtf8(PlotExplorer::kTooWideNote));
    key(Qt::Key_Plus);
    EXPECT_TRUE(readOut().startsWith("Vista: x da -8")) << readOut().toStdString();
}

TEST(PlotExplorerNote, WritesEachEndWithTheDecimalsItsWidthNeeds) {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (const auto& [view, text] :
         {std::pair{plot::PlotRange{0.7, 0.85, 0.65, 0.8, 0}, "x da 0,7 a 0,85; y da 0,65 a 0,8"},
          std::pair{plot::PlotRange{-10, 10, -8.2, 8.2, 0}, "x da -10 a 10; y da -8,2 a 8,2"},
          std::pair{plot::PlotRange{1e6 + 0.1, 1e6 + 0.2, -1e-7, 1e-7, 0},
                    "x da 1000000,1 a 1000000,2; y da -0,0000001 a 0,0000001"},
          std::pair{plot::PlotRange{0.70341, 0.85, -3, 1e15, 0},
                    "x da 0,703 a 0,85; y da -3 a 1E+15"}})
        EXPECT_EQ(viewNoteText(view, italian), "Vista: " + QString::fromUtf8(text));
}

TEST_F(PlotExplorerTest, KeptCurvesFollowTheViewAndControlZeroGivesBackThePicture) {
    window.findChild<QAction*>("noncancellare")->trigger();
    fx()->setText("sin(x)");
    draw();
    const QImage before = graph()->image().copy();
    wheel(QPointF(300, 100), 4);
    dragBy(kMiddle, {-30, 12});
    EXPECT_FALSE(samePixels(graph()->image(), before));
    key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(samePixels(graph()->image(), before));
    // Nothing moves while a draw runs.
    duringDraw([&] {
        wheel(QPointF(100, 100), 2);
        dragBy(QPointF(100, 100), {60, 60});
        key(Qt::Key_Minus);
    });
    draw();
    EXPECT_EQ(view(), kHome);
}

TEST_F(PlotExplorerTest, TraceFollowsTheDrawnExpressionAndHandsItsXToValore) {
    window.findChild<QAction*>("traccia")->trigger();
    fx()->setText("x^3"); // edited, not drawn
    child<QLabel>("StatusBar")->setText("prova");
    moveOver(graph(), QPointF(224 + 45, 155.5)); // x = 2.02..., f = x^2
    EXPECT_TRUE(readOut().startsWith("x = 2")) << readOut().toStdString();
    EXPECT_TRUE(readOut().contains("f(x) = 4,") || readOut().contains("f(x) = 4."))
        << readOut().toStdString();
    EXPECT_TRUE(trace()->marks().cross.has_value());
    key(Qt::Key_Home);
    // The grid's x, with the step's decimals.
    EXPECT_TRUE(readOut().startsWith("x = -10.00   f(x) = 100") ||
                readOut().startsWith("x = -10,00   f(x) = 100"))
        << readOut().toStdString();
    EXPECT_FALSE(trace()->marks().cross.has_value()); // 100 is above the frame
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(readOut().startsWith("x = -9.9") || readOut().startsWith("x = -9,9"));
    EXPECT_EQ(status(), "prova");

    key(Qt::Key_Return);
    calc::ValueWindow* valore = window.valueWindow();
    ASSERT_NE(valore, nullptr);
    EXPECT_TRUE(valore->isVisible());
    EXPECT_EQ(valore->findChild<QLineEdit*>("VX")->text(), "-9.9");
    // The traced curve went into the expression box first, so "Valore"
    // computes for it.
    EXPECT_EQ(fx()->text(), "x^2");
    EXPECT_EQ(valore->findChild<QLineEdit*>("VY")->text(), "98.01");

    // Several curves: PageUp and PageDown go round them at the same x, and
    // the read-out names the curve.
    window.findChild<QAction*>("noncancellare")->trigger();
    fx()->setText("Sin(x)");
    draw();
    graph()->setFocus();
    key(Qt::Key_Home);
    EXPECT_TRUE(readOut().startsWith("sin(x): x = -10")) << readOut().toStdString();
    for (const char* name : {"x^2", "sin(x)", "x^2"}) {
        key(Qt::Key_PageDown);
        EXPECT_TRUE(readOut().startsWith(QString::fromUtf8(name) + ": x = -10"))
            << readOut().toStdString();
    }
    key(Qt::Key_Enter);
    EXPECT_EQ(fx()->text(), "x^2");
    EXPECT_EQ(window.plotModel().size(), 2u); // handed over, neither added nor lost
    // Off: the label goes back to the pointer's read-out, the cross goes.
    window.findChild<QAction*>("traccia")->trigger();
    EXPECT_FALSE(trace()->marks().cross.has_value());
}

TEST_F(PlotExplorerTest, TangentShowsForTheDrawnExpressionInsideTheRangeUntilTheNextDraw) {
    pressButton("Lente");
    calc::ValueWindow* valore = window.valueWindow();
    auto calculate = [&](const char* x) {
        valore->findChild<QLineEdit*>("VX")->setText(QString::fromLatin1(x));
        valore->findChild<QPushButton*>("Command1")->click();
        return trace()->marks().tangent.has_value();
    };
    EXPECT_TRUE(calculate("1"));
    // The derivative's legend tells the tangent's colour while it shows.
    QWidget* legend = child<QWidget>("Shape2");
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), legend->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(legend, &help);
    EXPECT_EQ(QToolTip::text(), "Derivata Prima\n" + QString::fromUtf8(TraceControl::kTangentTip));
    QToolTip::hideText();
    // The tangent goes into saved pictures; the trace's cross does not.
    const QImage withTangent = QImage::fromData(plotPng(*graph()));
    int magenta = 0;
    for (int y = 0; y < withTangent.height(); ++y)
        for (int x = 0; x < withTangent.width(); ++x)
            magenta += withTangent.pixel(x, y) == qRgb(255, 0, 255);
    EXPECT_GT(magenta, 100);
    EXPECT_TRUE(plotSvg(*graph()).contains("stroke=\"#ff00ff\""));
    window.findChild<QAction*>("traccia")->trigger();
    moveOver(graph(), QPointF(224, 155.5));
    ASSERT_TRUE(trace()->marks().cross.has_value());
    EXPECT_TRUE(samePixels(QImage::fromData(plotPng(*graph())), withTangent));

    EXPECT_FALSE(calculate("11")); // outside the range
    EXPECT_TRUE(calculate("-3"));
    draw();
    EXPECT_FALSE(trace()->marks().tangent.has_value());
    EXPECT_TRUE(calculate("2"));
    fx()->setText("lgn(x)"); // not what the plot shows
    EXPECT_FALSE(calculate("2"));
    fx()->setText("x^2");
    EXPECT_TRUE(calculate("2"));
    fx()->setText("lgn(x)");
    draw();
    EXPECT_FALSE(calculate("-1")); // undefined there
}

} // namespace
} // namespace curvalia::ui
