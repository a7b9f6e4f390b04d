// The points of one curve over a range: for every sample from Xmin by Step
// up to Xmax, f(x) and the backward difference quotient f' of each defined
// sample, set where they fall inside the y range. The draw command's sweep
// and every redraw of a kept curve go through here, so a curve drawn again
// lies on exactly the pixels it was drawn on.
#pragma once

#include "engine/ReductionSchedule.h"
#include "plot/CurveLines.h"
#include "plot/PlotFrame.h"
#include "plot/RangeReader.h"
#include "plot/Surface.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace curvalia::plot {

struct SweepResult {
    std::int64_t samples = 0;
    bool stepLimitHit = false;
    // The evaluator found nothing to reduce: the sweep ended at that
    // sample, whose value was not drawn.
    bool nothingToReduce = false;
    bool stopped = false; // afterSample said no
};

// The samples a sweep takes over the range (for the record's estimate).
inline double samplesAhead(const PlotRange& range) {
    return std::floor((range.Xmax - range.Xmin) / range.Step) + 1;
}

// The schedule must have been recorded for the curve's expression.
// afterSample(column) runs after every sample, defined or not, and returns
// false to end the sweep there. With a judge (prepared for the same
// expression and frame) each sample's segments follow its dots.
template <class AfterSample>
SweepResult sweepCurve(engine::ReductionSchedule& schedule, Surface& graph, const PlotRange& range,
                       const PlotFrame& frame, const CurvePens& pens, AfterSample&& afterSample,
                       SegmentJudge* judge = nullptr) {
    SweepResult result;
    std::optional<CurveLines> lines;
    if (judge)
        lines.emplace(*judge, graph, range, frame);
    bool havePrevious = false;
    double prevX = 0;
    double prevY = 0;
    const auto inRange = [&](double v) { return range.Ymin <= v && v <= range.Ymax; };
    // A segment is kept as two points.
    graph.pointsAhead(samplesAhead(range) * (int{pens.function} + int{pens.derivative}) *
                      (judge ? 3 : 1));

    for (double x = range.Xmin; x <= range.Xmax; x += range.Step) {
        const engine::Sample sample = schedule.run(x);
        ++result.samples;
        // The value means nothing, and the evaluator has set StopRequested.
        if (sample.outcome == engine::SampleOutcome::NothingToReduce) {
            result.nothingToReduce = true;
            return result;
        }
        if (sample.outcome == engine::SampleOutcome::StepLimit)
            result.stepLimitHit = true;

        const float column = static_cast<float>(frame.column(x));
        if (sample.defined) {
            const double y = sample.value;
            // Values outside the y range still count as the previous sample.
            const bool haveSlope = havePrevious;
            const double slope = haveSlope ? (y - prevY) / (x - prevX) : 0.0;
            prevX = x;
            prevY = y;
            havePrevious = true;
            if (pens.function && inRange(y))
                graph.PSet(column, static_cast<float>(frame.row(y)), pens.colour);
            if (pens.derivative && haveSlope && inRange(slope))
                graph.PSet(column, static_cast<float>(frame.row(slope)), pens.derivativeColour);
            if (lines)
                lines->sample(x, y, haveSlope ? std::optional<double>(slope) : std::nullopt, pens);
        } else if (lines) {
            lines->gap();
        }
        if (!afterSample(column)) {
            result.stopped = true;
            return result;
        }
    }
    return result;
}

} // namespace curvalia::plot
