#include "plot/SegmentJudge.h"

#include <cmath>

namespace curvalia::plot {

namespace {

// Halvings of a pair before it is refused: a smooth curve's chord error
// shrinks fourfold with each, a jump's never does.
constexpr int kMaxDepth = 3;
// How far apart (in pixels) two ends may be and still be joined whatever
// lies between them, as long as it stays near the view: a wiggle finer than
// the samples (sin(1/x) near 0) looks right as a short stroke, and a
// pole that close to two samples of nearly one value cannot be told from
// a spike.
constexpr double kNearPixels = 3;
constexpr double kTolerancePixels = 2;

} // namespace

SegmentJudge::SegmentJudge() : schedule_(engine_) {
    engine_.setStatusSink({});
}

void SegmentJudge::prepare(std::string_view expression, const PlotFrame& frame,
                           double pixelTwipsY) {
    engine_.StopRequested = 0;
    engine_.emptyArrays();
    schedule_.record(expression);
    frame_ = frame;
    pixel_ = pixelTwipsY > 0 && std::isfinite(pixelTwipsY) ? pixelTwipsY : kTwipsPerPixel;
    tolerance_ = kTolerancePixels * pixel_;
}

bool SegmentJudge::joins(double x0, double y0, double x1, double y1) {
    return joinsWithin(x0, frame_.row(y0), x1, frame_.row(y1), 0);
}

bool SegmentJudge::joinsWithin(double x0, double row0, double x1, double row1, int depth) {
    const double xm = x0 + (x1 - x0) / 2;
    const engine::Sample middle = schedule_.run(xm);
    ++evaluations_;
    // The evaluator's own stop is for a sweep; here it only means no value.
    engine_.StopRequested = 0;
    if (!middle.defined || middle.outcome != engine::SampleOutcome::Normal)
        return false;
    const double rowm = frame_.row(middle.value);
    // NaN (rows of values too large to place) fails every comparison below.
    if (std::fabs(rowm - (row0 + row1) / 2) <= tolerance_)
        return true;
    if (std::fabs(row1 - row0) <= kNearPixels * pixel_ && rowm >= -PlotHeight &&
        rowm <= 2 * PlotHeight)
        return true;
    if (depth == kMaxDepth)
        return false;
    return joinsWithin(x0, row0, xm, rowm, depth + 1) && joinsWithin(xm, rowm, x1, row1, depth + 1);
}

} // namespace curvalia::plot
