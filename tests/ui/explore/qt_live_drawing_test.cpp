// Live drawing: each key typed in the expression box redraws the plot as a
// draw of the last good text would show it, keeps the box focused, and
// leaves the other curves alone.
#include "plot/PlotModel.h"
#include "support/qt_main_input_support.h"
#include "ui/explore/LiveDrawing.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/windows/AreaDialog.h"
#include "ui/windows/FunctionListWindow.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct LiveDrawingTest : MainWindowRig {
    LiveDrawingTest() {
        fx()->setText("x^2");
        pressButton("penna");
        window.findChild<QAction*>("disegnoAutomatico")->trigger();
        fx()->setFocus();
    }
    // A key as the user types it: it edits the box where the cursor is.
    void type(const QString& keys) {
        for (const QChar c : keys)
            pressKey(fx(), 0, QString(c).toUtf8().constData());
    }
    void backspace(int n) {
        for (int i = 0; i < n; ++i)
            pressKey(fx(), Qt::Key_Backspace);
    }
    const QImage& plot() { return graph()->image(); }
    std::vector<std::string> expressions() {
        std::vector<std::string> out;
        for (const plot::Curve& c : window.plotModel().curves())
            out.push_back(c.expression);
        return out;
    }
};

// The picture and the status line a draw of text leaves on a window of its own.
std::pair<QImage, QString> drawnAlone(const char* text) {
    MainWindow other;
    other.show();
    auto* box = other.findChild<QLineEdit*>("MyFx");
    box->setText(QString::fromUtf8(text));
    emit box->returnPressed();
    return {other.findChild<PlotSurfaceWidget*>("Graph")->image().copy(),
            other.findChild<QLabel*>("StatusBar")->text()};
}

TEST_F(LiveDrawingTest, EachKeyShowsTheLastGoodTextAndSaysWhyATextIsRefused) {
    struct Step {
        std::function<void(LiveDrawingTest&)> keys;
        const char* box;
        const char* lastGood;
        bool refused;
    };
    const Step steps[] = {
        {[](auto& t) { t.type("+"); }, "x^2+", "x^2", true},
        {[](auto& t) { t.type("1"); }, "x^2+1", "x^2+1", false},
        {[](auto& t) { t.type("("); }, "x^2+1(", "x^2+1", true},
        {[](auto& t) { t.backspace(1), t.type("/X"); }, "x^2+1/X", "x^2+1/x", false},
        // Every key is an edit: "x^2+1", "x^2" and "x" are drawn on the way.
        {[](auto& t) { t.backspace(7); }, "", "x", true},
        {[](auto& t) { t.type("sin(x)"); }, "sin(x)", "sin(x)", false},
    };
    // What each key left, looked at afterwards: the windows drawn to
    // compare with would take the focus.
    std::vector<std::pair<QImage, QString>> seen;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.box);
        step.keys(*this);
        EXPECT_EQ(fx()->text(), QString::fromUtf8(step.box));
        EXPECT_TRUE(fx()->hasFocus());
        EXPECT_EQ(expressions(), std::vector<std::string>{step.lastGood});
        seen.emplace_back(plot().copy(), status());
    }
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(steps[i].box);
        EXPECT_TRUE(samePixels(seen[i].first, drawnAlone(steps[i].lastGood).first));
        // A refused text says what a draw of it would say; a good one, nothing.
        const QString said = steps[i].refused ? drawnAlone(steps[i].box).second : QString();
        EXPECT_EQ(seen[i].second, said);
        EXPECT_EQ(steps[i].refused, !said.isEmpty());
    }
}

TEST_F(LiveDrawingTest, EditsTheCurveHandedOverAndWaitsForARunningDraw) {
    window.findChild<QAction*>("noncancellare")->trigger();
    fx()->setText("cos(x)");
    pressButton("penna");
    // "Modifica" on the first row: typing now changes x^2, in its place.
    window.findChild<QAction*>("elencoFunzioni")->trigger();
    auto* list = window.findChild<FunctionListWindow*>();
    ASSERT_NE(list, nullptr);
    list->selectCurve(0);
    list->modifyButton()->click();
    EXPECT_EQ(fx()->text(), "x^2");
    fx()->setFocus();
    fx()->end(false);
    type("/4");
    EXPECT_EQ(expressions(), (std::vector<std::string>{"x^2/4", "cos(x)"}));

    // An edit that arrives while a draw runs is drawn once the draw has ended.
    duringDraw([&] { emit fx()->textEdited("x^3/40"); });
    pressButton("penna"); // draws x^2/4 anew: the newest curve
    EXPECT_EQ(expressions(), (std::vector<std::string>{"cos(x)", "x^2/4"}));
    QApplication::processEvents();
    EXPECT_EQ(expressions(), (std::vector<std::string>{"cos(x)", "x^3/40"}));
    EXPECT_EQ(fx()->text(), "x^2/4"); // the edit came from elsewhere

    // Past the limit of samples, a note instead of a picture.
    window.areaDialog()->findChild<QLineEdit*>("PrecisioneTXT")->setText("0.0002");
    pressButton("penna"); // x^2/4 again, on 100,001 samples
    const QImage before = plot().copy();
    fx()->setFocus();
    type("+1");
    EXPECT_TRUE(samePixels(plot(), before));
    EXPECT_EQ(child<QLabel>("Coordinate")->text(), QString::fromUtf8(LiveDrawing::kTooManyNote));
}

} // namespace
} // namespace curvalia::ui
