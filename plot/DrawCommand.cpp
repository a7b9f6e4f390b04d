#include "plot/DrawCommand.h"

#include "plot/AxesRenderer.h"
#include "plot/CurveSweep.h"
#include "plot/Palette.h"
#include "plot/PlotMessages.h"
#include "plot/YieldPolicy.h"

#include <cmath>

namespace curvalia::plot {

namespace {

constexpr int kProgressPenWidth = 10;
constexpr float kProgressRow = 10;

bool sameRange(const PlotRange& a, const PlotRange& b) {
    return a.Xmin == b.Xmin && a.Xmax == b.Xmax && a.Ymin == b.Ymin && a.Ymax == b.Ymax;
}

// Borrows the engine with a sink that writes nothing: a curve drawn again
// has said what it had to say when it was first drawn.
class SilentEngine {
  public:
    explicit SilentEngine(engine::Engine& engine)
        : engine_(engine), sink_(engine.exchangeStatusSink({})) {}
    ~SilentEngine() { engine_.exchangeStatusSink(std::move(sink_)); }
    SilentEngine(const SilentEngine&) = delete;
    SilentEngine& operator=(const SilentEngine&) = delete;

  private:
    engine::Engine& engine_;
    engine::Engine::StatusSink sink_;
};

} // namespace

DrawCommand::DrawCommand(engine::Engine& engine, PlotSwitches& switches, Surface& graph,
                         Surface& scrollBar, PlotHost& host, Clock& clock, PlotModel& model)
    : engine_(engine), schedule_(engine), switches_(switches), graph_(graph), scrollBar_(scrollBar),
      host_(host), clock_(clock), model_(model) {}

void DrawCommand::requestStop() {
    engine_.StopRequested = kTrue;
    host_.setStatus("");
}

void DrawCommand::run() {
    // A second click arrives through one of our own yields; a second sweep
    // would rewrite the engine arrays under the first one.
    if (busy_.busy())
        return;
    const DrawBusy::Scope busy(busy_);
    ++drawNumber_;
    prepareAndSweep();
    finish();
}

void DrawCommand::yieldNow() {
    host_.repaint();
    host_.yield();
    stopIfClosing();
}

void DrawCommand::stopIfClosing() {
    // Checked after every yield, the first included, whose stop the command
    // clears right after it: a close must end the draw wherever it comes.
    if (host_.closeRequested())
        engine_.StopRequested = kTrue;
}

void DrawCommand::finish() {
    scrollBar_.Cls();
    host_.repaint();
    host_.setInputsEnabled(true);
}

void DrawCommand::prepareAndSweep() {
    host_.setStatus(msg::kAnalysing);
    yieldNow();
    engine_.StopRequested = 0;
    stopIfClosing();
    graph_.setDrawWidth(appearance_.thickness);
    scrollBar_.setDrawWidth(kProgressPenWidth);
    const Curves curves{host_.drawFunctionChecked(), host_.drawDerivativeChecked()};
    host_.setInputsEnabled(false);
    const bool keep = switches_.ClearBeforePlot == kFalse;
    if (!keep) {
        graph_.Cls();
        publishedFrame_.reset();
        publishedRange_.reset();
        lastSweep_.reset();
        model_.clearCurves();
    }

    const RangeTexts texts = host_.rangeTexts();
    const RangeReading reading = readRange(texts);
    if (reading.verdict == RangeVerdict::BadFields) {
        host_.setStatus(refusalText(texts, reading.verdict));
        return;
    }
    const PlotRange& range = reading.range;
    // The box is disabled since step 5: read now, it is the text of step 10.
    const std::string expression = engine::toLowerText(host_.expressionText());
    // Kept curves under axes of another range would lie about their values:
    // they are drawn again at the new range first.
    const bool anotherRange = keep && publishedRange_ && !sameRange(*publishedRange_, range);
    // A step that cannot sweep them there either: the plot stays as it is,
    // rather than show axes the kept curves do not fit.
    if (anotherRange && reading.verdict == RangeVerdict::BadStep) {
        host_.setStatus(refusalText(texts, reading.verdict));
        return;
    }
    if (anotherRange) {
        graph_.Cls();
        lastSweep_.reset();
        // With both switches off the sweep enters nothing: the entry of
        // the same expression stays, and is drawn again with the others.
        redrawKept(range, curves.function || curves.derivative ? expression : std::string());
    }
    const PlotFrame frame = drawAxes(graph_, range);
    publish(range, frame);
    model_.setHome(range);
    yieldNow();
    // The range itself is fine, so its axes stay as a guide; only the sweep
    // is refused.
    if (reading.verdict == RangeVerdict::BadStep) {
        host_.setStatus(refusalText(texts, reading.verdict));
        return;
    }

    // Stopped during a yield: the stop button has already emptied the
    // status line, and a later status text would stay there for good.
    if (engine_.StopRequested != 0)
        return;

    engine_.emptyArrays();
    // An empty text keeps the axes as a guide and says what is missing.
    if (!engine_.CheckExpression(expression))
        return; // the checker's message stays
    host_.setStatus(msg::kSweeping);
    yieldNow();
    if (engine_.StopRequested != 0)
        return;
    sweep(range, frame, expression, curves);
}

PlotFrame DrawCommand::drawAxes(Surface& target, const PlotRange& range) {
    // The axes are one pixel wide whatever the curves' width.
    target.setDrawWidth(1);
    const PlotFrame frame = DrawAxes(target, range.Xmin, range.Xmax, range.Ymin, range.Ymax,
                                     switches_.GridOn, appearance_.grid);
    target.setDrawWidth(appearance_.thickness);
    return frame;
}

void DrawCommand::publish(const PlotRange& range, const PlotFrame& frame) {
    publishedFrame_ = frame;
    publishedRange_ = range;
    model_.setView(range);
}

SegmentJudge* DrawCommand::judgeFor(const std::string& expression, const PlotFrame& frame,
                                    const Surface& target) {
    if (!appearance_.continuousLines)
        return nullptr;
    judge_.prepare(expression, frame, target.pixelTwipsY());
    return &judge_;
}

bool DrawCommand::redrawKept(const PlotRange& range, const std::string& replaced) {
    const SilentEngine silent(engine_);
    YieldPolicy policy(clock_, host_);
    const PlotFrame frame = frameOf(range.Xmin, range.Xmax, range.Ymin, range.Ymax);
    // The new sweep draws the entry it replaces; until it starts that entry
    // is off the plot, so a stop before then must not leave it listed.
    if (const auto old = model_.find(replaced); old && model_.curves()[*old].shown())
        model_.remove(*old);
    for (const std::size_t index : model_.shownCurves()) {
        const Curve& curve = model_.curves()[index];
        engine_.emptyArrays();
        schedule_.record(curve.expression);
        const SweepResult result = sweepCurve(
            schedule_, graph_, range, frame,
            {curve.colour, curve.derivativePaletteColour(), curve.function, curve.derivative},
            [&](float) {
                policy.sampleDone(switches_.YieldEachSample != kFalse);
                stopIfClosing();
                return engine_.StopRequested == 0;
            },
            judgeFor(curve.expression, frame, graph_));
        if (result.stopped)
            return false;
        // It ended there when it was drawn too; the evaluator's stop is
        // that curve's alone.
        if (result.nothingToReduce)
            engine_.StopRequested = 0;
    }
    return true;
}

void DrawCommand::redraw(const PlotRange& view) {
    if (busy_.busy() || !stepAdvancesAcross(view.Xmin, view.Xmax, view.Step))
        return;
    ++drawNumber_;
    graph_.Cls();
    lastSweep_ = drawModel(graph_, view);
    publish(view, frameOf(view.Xmin, view.Xmax, view.Ymin, view.Ymax));
    host_.repaint();
}

void DrawCommand::drawModelOn(Surface& target, const PlotRange& view) {
    drawModel(target, view);
}

std::optional<DrawCommand::Sweep> DrawCommand::drawModel(Surface& target, const PlotRange& view) {
    std::optional<Sweep> last;
    const SilentEngine silent(engine_);
    const std::int16_t stopBefore = engine_.StopRequested;
    target.setDrawWidth(appearance_.thickness);
    const PlotFrame frame = frameOf(view.Xmin, view.Xmax, view.Ymin, view.Ymax);
    const std::vector<std::size_t> shown = model_.shownCurves();
    // As the draws left them: the axes of the latest lie over the earlier
    // curves, and the latest curve over its axes.
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i + 1 == shown.size())
            drawAxes(target, view);
        const Curve& curve = model_.curves()[shown[i]];
        engine_.emptyArrays();
        schedule_.record(curve.expression);
        const SweepResult result = sweepCurve(
            schedule_, target, view, frame,
            {curve.colour, curve.derivativePaletteColour(), curve.function, curve.derivative},
            [](float) { return true; }, judgeFor(curve.expression, frame, target));
        last = Sweep{curve.expression, result.samples};
    }
    if (shown.empty())
        drawAxes(target, view);
    engine_.StopRequested = stopBefore;
    return last;
}

void DrawCommand::sweep(const PlotRange& range, const PlotFrame& frame,
                        const std::string& expression, Curves curves) {
    YieldPolicy policy(clock_, host_);
    // The steps of the reduction are the same for every x: recorded once
    // here, then replayed for each sample.
    schedule_.record(expression);
    lastSweep_ = Sweep{expression, 0};
    // The curve is on the plot from its first point; both switches off draw
    // nothing to keep.
    std::optional<std::size_t> entry;
    if (curves.function || curves.derivative)
        entry = model_.enter(Curve{expression, switches_.CurveColor, std::nullopt, curves.function,
                                   curves.derivative, true});
    const SweepResult result = sweepCurve(
        schedule_, graph_, range, frame,
        {switches_.CurveColor, kDerivativeColour, curves.function, curves.derivative},
        [&](float column) {
            lastSweep_->samples += 1;
            scrollBar_.PSet(column, kProgressRow, kProgressColour);
            // Read at every sample: the speed button works during a sweep.
            policy.sampleDone(switches_.YieldEachSample != kFalse);
            stopIfClosing();
            return engine_.StopRequested == 0;
        },
        judgeFor(expression, frame, graph_));
    if (entry) {
        // Refused by the evaluator at its first sample: nothing was drawn.
        if (result.nothingToReduce && result.samples == 1) {
            model_.remove(*entry);
        } else {
            model_.edit(*entry).colour = switches_.CurveColor;
            model_.changed();
        }
    }
    lastSweep_->samples = result.samples;
    if (result.nothingToReduce)
        return; // the evaluator's message stays
    // Emptying the status would hide why some points are missing.
    if (!result.stopped && !result.stepLimitHit)
        host_.setStatus("");
}

} // namespace curvalia::plot
