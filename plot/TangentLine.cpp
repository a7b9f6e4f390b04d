#include "plot/TangentLine.h"

#include <algorithm>
#include <cmath>

namespace curvalia::plot {

std::optional<TwipSegment> tangentAcrossFrame(const PlotFrame& frame, double x, double value,
                                              double slope) {
    const double xmax = frame.Xmin + frame.RangeX;
    const double ymin = frame.Ymax - frame.RangeY;
    if (!std::isfinite(x) || !std::isfinite(value) || !std::isfinite(slope) || x < frame.Xmin ||
        x > xmax)
        return std::nullopt;
    // The x interval over which the line stays within [ymin, Ymax]; solved
    // from x outwards so that no product of slope and width can overflow.
    double lo = frame.Xmin;
    double hi = xmax;
    if (slope == 0) {
        if (value < ymin || value > frame.Ymax)
            return std::nullopt;
    } else {
        const double a = x + (ymin - value) / slope;
        const double b = x + (frame.Ymax - value) / slope;
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
        if (!(lo <= hi))
            return std::nullopt;
    }
    // The ends' rows may stray by a rounding past the edge they were solved
    // for; they are kept on the frame.
    const auto row = [&](double t) {
        const double v = slope == 0 ? value : value + slope * (t - x);
        return std::clamp(frame.row(v), 0.0, PlotHeight);
    };
    return TwipSegment{frame.column(lo), row(lo), frame.column(hi), row(hi)};
}

} // namespace curvalia::plot
