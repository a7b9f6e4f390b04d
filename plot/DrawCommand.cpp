#include "plot/DrawCommand.h"

#include "plot/AxesRenderer.h"
#include "plot/Palette.h"
#include "plot/PlotMessages.h"
#include "plot/YieldPolicy.h"

#include <cmath>

namespace curvalia::plot {

namespace {

constexpr int kCurvePenWidth = 1;
constexpr int kProgressPenWidth = 10;
constexpr float kProgressRow = 10;

} // namespace

DrawCommand::DrawCommand(engine::Engine& engine, PlotSwitches& switches, Surface& graph,
                         Surface& scrollBar, PlotHost& host, Clock& clock)
    : engine_(engine), schedule_(engine), switches_(switches), graph_(graph), scrollBar_(scrollBar),
      host_(host), clock_(clock) {}

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
    graph_.setDrawWidth(kCurvePenWidth);
    scrollBar_.setDrawWidth(kProgressPenWidth);
    const Curves curves{host_.drawFunctionChecked(), host_.drawDerivativeChecked()};
    host_.setInputsEnabled(false);
    if (switches_.ClearBeforePlot != kFalse) {
        graph_.Cls();
        publishedFrame_.reset();
        publishedRange_.reset();
        lastSweep_.reset();
    }

    const RangeTexts texts = host_.rangeTexts();
    const RangeReading reading = readRange(texts);
    if (reading.verdict == RangeVerdict::BadFields) {
        host_.setStatus(refusalText(texts, reading.verdict));
        return;
    }
    const PlotRange& range = reading.range;
    const PlotFrame frame =
        DrawAxes(graph_, range.Xmin, range.Xmax, range.Ymin, range.Ymax, switches_.GridOn);
    publishedFrame_ = frame;
    publishedRange_ = range;
    lastSweep_.reset();
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

    const std::string expression = engine::toLowerText(host_.expressionText());
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

void DrawCommand::sweep(const PlotRange& range, const PlotFrame& frame,
                        const std::string& expression, Curves curves) {
    YieldPolicy policy(clock_, host_);
    // The steps of the reduction are the same for every x: recorded once
    // here, then replayed for each sample.
    schedule_.record(expression);
    lastSweep_ = Sweep{expression, 0};
    std::int64_t& samples = lastSweep_->samples;
    bool stepLimitHit = false;
    bool havePrevious = false;
    double prevX = 0;
    double prevY = 0;
    const auto inRange = [&](double v) { return range.Ymin <= v && v <= range.Ymax; };
    graph_.pointsAhead((std::floor((range.Xmax - range.Xmin) / range.Step) + 1) *
                       (int{curves.function} + int{curves.derivative}));

    for (double x = range.Xmin; x <= range.Xmax; x += range.Step) {
        const engine::Sample sample = schedule_.run(x);
        ++samples;
        // Nothing to reduce: the value means nothing, the evaluator has set
        // StopRequested, and its message stays.
        if (sample.outcome == engine::SampleOutcome::NothingToReduce)
            return;
        if (sample.outcome == engine::SampleOutcome::StepLimit)
            stepLimitHit = true;

        const float column = static_cast<float>(frame.column(x));
        if (sample.defined) {
            const double y = sample.value;
            // Backward difference with the previous defined sample, drawn
            // at this sample; values outside the y range still count as the
            // previous sample.
            const bool haveSlope = havePrevious;
            const double slope = haveSlope ? (y - prevY) / (x - prevX) : 0.0;
            prevX = x;
            prevY = y;
            havePrevious = true;
            if (curves.function && inRange(y))
                graph_.PSet(column, static_cast<float>(frame.row(y)), switches_.CurveColor);
            if (curves.derivative && haveSlope && inRange(slope))
                graph_.PSet(column, static_cast<float>(frame.row(slope)), kDerivativeColour);
        }
        scrollBar_.PSet(column, kProgressRow, kProgressColour);

        // Read at every sample: the speed button works during a sweep.
        policy.sampleDone(switches_.YieldEachSample != kFalse);
        stopIfClosing();
        if (engine_.StopRequested != 0)
            return;
    }
    // Emptying the status would hide why some points are missing.
    if (!stepLimitHit)
        host_.setStatus("");
}

} // namespace curvalia::plot
