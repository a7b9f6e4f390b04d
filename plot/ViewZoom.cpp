#include "plot/ViewZoom.h"

#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>

namespace curvalia::plot {

namespace {

// Pans add and subtract the same amount at both ends, which can move the
// width by a few ulps: still the home width, as the user sees it.
constexpr double kSameWidth = 1e-12;

bool sameView(const PlotRange& a, const PlotRange& b) {
    return a.Xmin == b.Xmin && a.Xmax == b.Xmax && a.Ymin == b.Ymin && a.Ymax == b.Ymax &&
           a.Step == b.Step;
}

} // namespace

ViewOutcome checkAxis(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high))
        return ViewOutcome::TooWide;
    const double width = high - low;
    // Halved before adding, so that ends near the largest double do not overflow.
    const double centre = low / 2 + high / 2;
    if (!(width >= kMinWidthShare * std::max(1.0, std::abs(centre))))
        return ViewOutcome::TooNarrow;
    if (width > kMaxWidth)
        return ViewOutcome::TooWide;
    return ViewOutcome::Changed;
}

void ViewZoom::start(const PlotRange& home) {
    home_ = home;
    goHome();
}

bool ViewZoom::atHome() const {
    return sameView(view_, home_);
}

void ViewZoom::goHome() {
    view_ = home_;
    level_ = 0;
    anchor_ = {};
}

PlotRange ViewZoom::viewOf(double xmin, double xmax, double ymin, double ymax) const {
    const double homeWidth = home_.Xmax - home_.Xmin;
    const double share = (xmax - xmin) / homeWidth;
    // Three digits: a step of 0.008 rather than 0.00800000000000001.
    const double step = std::abs(share - 1) <= kSameWidth
                            ? home_.Step
                            : engine::roundToSignificantDigits(home_.Step * share, 3);
    return {xmin, xmax, ymin, ymax, step};
}

ViewOutcome ViewZoom::take(const PlotRange& next) {
    const ViewOutcome x = checkAxis(next.Xmin, next.Xmax);
    if (x != ViewOutcome::Changed)
        return x;
    const ViewOutcome y = checkAxis(next.Ymin, next.Ymax);
    if (y != ViewOutcome::Changed)
        return y;
    view_ = next;
    return ViewOutcome::Changed;
}

ViewOutcome ViewZoom::zoom(int notches, double fx, double fy) {
    if (notches == 0)
        return ViewOutcome::Changed;
    if (!anchor_.valid || anchor_.fx != fx || anchor_.fy != fy) {
        anchor_ = {true,
                   fx,
                   fy,
                   view_.Xmin + fx * (view_.Xmax - view_.Xmin),
                   view_.Ymin + (1 - fy) * (view_.Ymax - view_.Ymin),
                   view_};
        level_ = 0;
    }
    // Wide enough that no count of notches overflows; a level that far out
    // gives a width of 0 or infinity, which the limits refuse.
    const long long level = static_cast<long long>(level_) + notches;
    PlotRange next = anchor_.view;
    if (level != 0) {
        const PlotRange& a = anchor_.view;
        const double scale = std::pow(kZoomFactor, static_cast<double>(level));
        const double wx = (a.Xmax - a.Xmin) / scale;
        const double wy = (a.Ymax - a.Ymin) / scale;
        next = viewOf(anchor_.x - fx * wx, anchor_.x + (1 - fx) * wx, anchor_.y - (1 - fy) * wy,
                      anchor_.y + fy * wy);
    }
    // The widths change monotonically with the level, so a final level
    // within the limits means every notch on the way was within them too.
    const ViewOutcome outcome = take(next);
    if (outcome == ViewOutcome::Changed)
        level_ = static_cast<int>(level);
    return outcome;
}

ViewOutcome ViewZoom::pan(double dx, double dy) {
    const ViewOutcome outcome =
        take(viewOf(view_.Xmin + dx, view_.Xmax + dx, view_.Ymin + dy, view_.Ymax + dy));
    if (outcome == ViewOutcome::Changed)
        anchor_.valid = false; // the next zoom anchors where the pointer now is
    return outcome;
}

ViewOutcome ViewZoom::box(double x0, double y0, double x1, double y1) {
    // Checked before ordering: std::min and std::max would drop a NaN or keep
    // it depending on the corner order.
    for (double v : {x0, y0, x1, y1})
        if (!std::isfinite(v))
            return ViewOutcome::TooWide;
    const ViewOutcome outcome =
        take(viewOf(std::min(x0, x1), std::max(x0, x1), std::min(y0, y1), std::max(y0, y1)));
    if (outcome == ViewOutcome::Changed)
        anchor_.valid = false;
    return outcome;
}

} // namespace curvalia::plot
