#include "plot/SweepSamples.h"

#include <algorithm>
#include <cmath>

namespace curvalia::plot {

SweepSamples::SweepSamples(double xmin, double step, std::int64_t count)
    : step_(step), count_(std::max<std::int64_t>(0, count)) {
    kept_.reserve(static_cast<std::size_t>(count_ / kStride + 1));
    double x = xmin;
    for (std::int64_t i = 0; i < count_; ++i, x += step_) {
        if (i % kStride == 0)
            kept_.push_back(x);
    }
}

double SweepSamples::x(std::int64_t index) const {
    double x = kept_[static_cast<std::size_t>(index / kStride)];
    for (std::int64_t i = index % kStride; i > 0; --i)
        x += step_;
    return x;
}

std::int64_t SweepSamples::nearest(const PlotFrame& frame, double column) const {
    if (count_ <= 1)
        return 0;
    // The ideal index from the column, then a look at the neighbours, since
    // the accumulated x drifts from Xmin + i * Step.
    const double target = frame.xAt(column);
    const double guess = std::round((target - kept_.front()) / step_);
    const double last = static_cast<double>(count_ - 1);
    std::int64_t best = static_cast<std::int64_t>(std::clamp(guess, 0.0, last));
    double bestDistance = std::abs(frame.column(x(best)) - column);
    for (const int direction : {-1, 1}) {
        for (std::int64_t i = best + direction; i >= 0 && i < count_; i += direction) {
            const double distance = std::abs(frame.column(x(i)) - column);
            if (distance > bestDistance || (distance == bestDistance && i > best))
                break;
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace curvalia::plot
