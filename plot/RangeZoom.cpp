#include "plot/RangeZoom.h"

#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>

namespace curvalia::plot {

namespace {

// The field reads back the very value the zoom computed.
std::string shortestText(double v) {
    return engine::plainNumberText(v, engine::kShortestText);
}

// Three significant digits: a step of 0.008 rather than 0.00800000000000001.
double threeDigits(double v) {
    return engine::roundToSignificantDigits(v, 3);
}

// A range the draw command would take as it stands, read back from the very
// texts that will be written into the fields.
bool drawable(const PlotRange& r) {
    const RangeReading reading = readRange(rangeTextsOf(r));
    const PlotRange& back = reading.range;
    return reading.verdict == RangeVerdict::Valid && back.Xmin == r.Xmin && back.Xmax == r.Xmax &&
           back.Ymin == r.Ymin && back.Ymax == r.Ymax && back.Step == r.Step;
}

// A whole number; +0.0 turns a rounded -0 into 0, so "-0" is never written.
double whole(double v) {
    return std::round(v) + 0.0;
}

} // namespace

RangeTexts rangeTextsOf(const PlotRange& range) {
    return {shortestText(range.Xmin), shortestText(range.Xmax), shortestText(range.Ymin),
            shortestText(range.Ymax), shortestText(range.Step)};
}

double sampleCount(const PlotRange& range) {
    if (!stepAdvancesAcross(range.Xmin, range.Xmax, range.Step))
        return 0;
    return std::floor((range.Xmax - range.Xmin) / range.Step) + 1;
}

void RangeZoom::start(const PlotRange& drawn) {
    base_ = shown_ = drawn;
    level_ = 0;
    uxmin_ = drawn.Xmin;
    uymin_ = drawn.Ymin;
    anchor_ = {};
}

double RangeZoom::widthX(int level) const {
    return (base_.Xmax - base_.Xmin) / std::pow(kZoomFactor, level);
}

double RangeZoom::widthY(int level) const {
    return (base_.Ymax - base_.Ymin) / std::pow(kZoomFactor, level);
}

double RangeZoom::stepFor(double shownWidth) const {
    const double baseWidth = base_.Xmax - base_.Xmin;
    if (shownWidth == baseWidth)
        return base_.Step; // the user's own step, not a rounding of it
    return threeDigits(base_.Step * (shownWidth / baseWidth));
}

ZoomOutcome RangeZoom::zoom(int notches, double fx, double fy) {
    if (notches == 0)
        return ZoomOutcome::Changed;
    if (notches > 0 && shown_.Xmax - shown_.Xmin <= 1 && shown_.Ymax - shown_.Ymin <= 1)
        return ZoomOutcome::Narrowest;
    if (!anchor_.valid || anchor_.fx != fx || anchor_.fy != fy)
        anchor_ = {true,
                   fx,
                   fy,
                   uxmin_ + fx * widthX(level_),
                   uymin_ + (1 - fy) * widthY(level_),
                   level_,
                   shown_,
                   uxmin_,
                   uymin_};

    const int level = level_ + notches;
    PlotRange next = anchor_.shown;
    double uxmin = anchor_.uxmin;
    double uymin = anchor_.uymin;
    if (level != anchor_.level) {
        const double wx = widthX(level);
        const double wy = widthY(level);
        const double sx = std::max(1.0, whole(wx));
        const double sy = std::max(1.0, whole(wy));
        // The anchor stays at its fraction of the frame as nearly as whole
        // units allow.
        next.Xmin = whole(anchor_.x - fx * sx);
        next.Xmax = next.Xmin + sx;
        next.Ymin = whole(anchor_.y - (1 - fy) * sy);
        next.Ymax = next.Ymin + sy;
        next.Step = stepFor(sx);
        uxmin = anchor_.x - fx * wx;
        uymin = anchor_.y - (1 - fy) * wy;
    }
    const bool tooMany = notches < 0 && sampleCount(next) > kMaxZoomSamples;
    if (tooMany || !drawable(next))
        return notches < 0 ? ZoomOutcome::Widest : ZoomOutcome::Refused;
    shown_ = next;
    level_ = level;
    uxmin_ = uxmin;
    uymin_ = uymin;
    return ZoomOutcome::Changed;
}

ZoomOutcome RangeZoom::pan(double dxUnits, double dyUnits) {
    PlotRange next = shown_;
    next.Xmin += dxUnits;
    next.Xmax += dxUnits;
    next.Ymin += dyUnits;
    next.Ymax += dyUnits;
    if (!drawable(next))
        return ZoomOutcome::Refused;
    shown_ = next;
    uxmin_ += dxUnits;
    uymin_ += dyUnits;
    anchor_.valid = false; // the next zoom anchors where the pointer now is
    return ZoomOutcome::Changed;
}

} // namespace curvalia::plot
