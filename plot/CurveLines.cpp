#include "plot/CurveLines.h"

#include <algorithm>
#include <cmath>

namespace curvalia::plot {

namespace {

// Rows this far beyond the frame still reach the surface, so that a thick
// pen's end outside the view is drawn as far as it shows.
constexpr double kMarginTwips = 150;

} // namespace

void CurveLines::sample(double x, std::optional<double> value, std::optional<double> slope,
                        const CurvePens& pens) {
    if (!value) {
        gap();
        return;
    }
    std::optional<bool> joined;
    if (previous_) {
        const Known& p = *previous_;
        const bool fShows = pens.function && !outsideOnOneSide(p.y, *value);
        const bool dShows = pens.derivative && p.slope && slope &&
                            !outsideOnOneSide(*p.slope, *slope) && beforeThat_;
        if (fShows || dShows)
            joined = judge_.joins(p.x, p.y, x, *value);
        if (fShows && *joined)
            draw(p.x, p.y, x, *value, pens.colour);
        if (dShows && *joined) {
            // Asked only now when f's own segment there did not show.
            if (!joinedBefore_)
                joinedBefore_ = judge_.joins(beforeThat_->x, beforeThat_->y, p.x, p.y);
            if (*joinedBefore_)
                draw(p.x, *p.slope, x, *slope, pens.derivativeColour);
        }
    }
    beforeThat_ = previous_;
    previous_ = Known{x, *value, slope};
    joinedBefore_ = joined;
}

void CurveLines::draw(double x0, double v0, double x1, double v1, int colour) {
    const double c0 = frame_.column(x0), c1 = frame_.column(x1);
    const double r0 = frame_.row(v0), r1 = frame_.row(v1);
    if (!std::isfinite(r0) || !std::isfinite(r1))
        return;
    const double top = -kMarginTwips, bottom = PlotHeight + kMarginTwips;
    const double dr = r1 - r0;
    double t0 = 0, t1 = 1;
    if (dr != 0) {
        const double ta = (top - r0) / dr, tb = (bottom - r0) / dr;
        t0 = std::max(0.0, std::min(ta, tb));
        t1 = std::min(1.0, std::max(ta, tb));
    } else if (r0 < top || r0 > bottom) {
        return;
    }
    if (!(t0 <= t1))
        return;
    // A clipped end lies on the edge it crosses: taken as that edge rather
    // than interpolated from a row of 1e300, which would keep nothing of it.
    const double dc = c1 - c0;
    const double ca = t0 == 0 ? c0 : c0 + t0 * dc, cb = t1 == 1 ? c1 : c0 + t1 * dc;
    const double ra = std::clamp(r0, top, bottom), rb = std::clamp(r1, top, bottom);
    graph_.Line(static_cast<float>(ca), static_cast<float>(ra), static_cast<float>(cb),
                static_cast<float>(rb), colour);
}

} // namespace curvalia::plot
