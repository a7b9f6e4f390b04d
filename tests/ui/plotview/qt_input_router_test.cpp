// The plot's one event filter: every part sees the plot's events in the
// order of the stages, whatever order the parts were made in, and a part
// that takes an event ends its way.
#include "support/qt_main_input_support.h"
#include "ui/host/StatusLine.h"
#include "ui/plotview/PlotInputRouter.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>
#include <array>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;
using Stage = PlotInputRouter::Stage;

// Each part notes the events it sees; the trace takes key presses, the
// explorer takes the wheel.
QStringList routed(const std::array<Stage, 5>& madeInOrder) {
    QWidget plot;
    plot.resize(100, 80);
    plot.setMouseTracking(true);
    QStringList seen;
    for (const Stage stage : madeInOrder) {
        PlotInputRouter::of(plot).add(stage, [&seen, stage](QEvent& event) {
            const QEvent::Type type = event.type();
            if (type == QEvent::MouseMove || type == QEvent::KeyPress || type == QEvent::Wheel ||
                type == QEvent::Resize || type == QEvent::MouseButtonDblClick)
                seen << QStringLiteral("%1:%2").arg(int(stage)).arg(int(type));
            return (stage == Stage::Trace && event.type() == QEvent::KeyPress) ||
                   (stage == Stage::Explore && event.type() == QEvent::Wheel);
        });
    }
    moveOver(&plot, QPointF(10, 10));
    pressKey(&plot, Qt::Key_Right);
    sendWheel(&plot, QPointF(5, 5), 1);
    QResizeEvent resize(QSize(120, 90), plot.size());
    QApplication::sendEvent(&plot, &resize);
    sendMouse(&plot, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    return seen;
}

TEST(PlotInputRouter, PartsSeeEventsInStageOrderWhateverOrderTheyWereMadeIn) {
    std::array<Stage, 5> order{Stage::Overlay, Stage::Trace, Stage::Explore, Stage::ReadOut,
                               Stage::Window};
    const auto line = [](std::initializer_list<Stage> stages, QEvent::Type type) {
        QStringList out;
        for (const Stage stage : stages)
            out << QStringLiteral("%1:%2").arg(int(stage)).arg(int(type));
        return out;
    };
    const auto all = {Stage::Overlay, Stage::Trace, Stage::Explore, Stage::ReadOut, Stage::Window};
    const QStringList expected =
        line(all, QEvent::MouseMove) + line({Stage::Overlay, Stage::Trace}, QEvent::KeyPress) +
        line({Stage::Overlay, Stage::Trace, Stage::Explore}, QEvent::Wheel) +
        line(all, QEvent::Resize) + line(all, QEvent::MouseButtonDblClick);
    int orders = 0;
    std::sort(order.begin(), order.end());
    do {
        ASSERT_EQ(routed(order), expected) << "order " << orders;
        ++orders;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(orders, 120);
}

// Whose text the status line shows: every writer names itself, and the
// engine writes for the command whose claim is the latest still held.
TEST(StatusLine, TheEnginesClaimLastsAsLongAsTheCommandThatMadeIt) {
    // In the order of run[] below.
    enum Op { DrawClaims, DrawEnds, CalcClaims, CalcEnds, EngineWrites, DrawWrites };
    struct Case {
        const char* name;
        std::vector<Op> ops;
        StatusOwner owner;
    };
    for (const Case& c : {
             Case{"unclaimed", {EngineWrites}, StatusOwner::Nobody},
             Case{"during_the_draw", {DrawClaims, EngineWrites}, StatusOwner::Draw},
             Case{"after_a_calculation", {CalcClaims, CalcEnds, EngineWrites}, StatusOwner::Nobody},
             Case{"calculation_inside_a_draw",
                  {DrawClaims, CalcClaims, CalcEnds, EngineWrites},
                  StatusOwner::Draw},
             Case{"text_outlives_the_claim",
                  {CalcClaims, EngineWrites, CalcEnds, DrawClaims},
                  StatusOwner::Calculator},
             Case{"draw_writes_as_itself", {CalcClaims, DrawWrites}, StatusOwner::Draw},
         }) {
        SCOPED_TRACE(c.name);
        QLabel label;
        StatusLine line(label);
        const auto engine = line.engineSink();
        const std::function<void()> run[] = {
            [&] { line.claimEngine(StatusOwner::Draw); },
            [&] { line.releaseEngine(StatusOwner::Draw); },
            [&] { line.claimEngine(StatusOwner::Calculator); },
            [&] { line.releaseEngine(StatusOwner::Calculator); },
            [&] { engine("Operatore non riconosciuto... sen"); },
            [&] { line.write(StatusOwner::Draw, "Campi errati"); }};
        for (const Op op : c.ops)
            run[op]();
        EXPECT_EQ(line.owner(), c.owner);
        EXPECT_FALSE(label.text().isEmpty());
    }
}

} // namespace
} // namespace curvalia::ui
