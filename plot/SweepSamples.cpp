#include "plot/SweepSamples.h"

#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>

namespace curvalia::plot {

namespace {

constexpr int kMaxDecimals = 15;
// Past this, a double holds no fraction to round.
constexpr double kWholeLimit = 9007199254740992.0; // 2^53

} // namespace

int SweepSamples::decimalsOf(double step) {
    if (!std::isfinite(step) || step == 0)
        return 0;
    for (int d = 0; d < kMaxDecimals; ++d) {
        // 15 significant digits: 0.025 * 1000 is 25.000000000000004.
        const double scaled =
            engine::roundToSignificantDigits(std::abs(step) * std::pow(10.0, d), 15);
        if (scaled == std::round(scaled))
            return d;
    }
    return kMaxDecimals;
}

SweepSamples::SweepSamples(double xmin, double step, std::int64_t count)
    : xmin_(xmin), step_(step), count_(std::max<std::int64_t>(0, count)),
      decimals_(decimalsOf(step)), scale_(std::pow(10.0, decimals_)) {}

double SweepSamples::x(std::int64_t index) const {
    const double x = xmin_ + static_cast<double>(index) * step_;
    const double scaled = x * scale_;
    if (!(std::abs(scaled) < kWholeLimit))
        return engine::roundToSignificantDigits(x, 15);
    // +0.0: no -0 for the sample at zero.
    return std::round(scaled) / scale_ + 0.0;
}

std::int64_t SweepSamples::nearest(const PlotFrame& frame, double column) const {
    if (count_ <= 1)
        return 0;
    const double guess = std::round((frame.xAt(column) - xmin_) / step_);
    const double last = static_cast<double>(count_ - 1);
    std::int64_t best = static_cast<std::int64_t>(std::clamp(guess, 0.0, last));
    // The guess comes from a division: its neighbours may lie as near.
    const std::int64_t from = std::max<std::int64_t>(0, best - 1);
    const std::int64_t to = std::min<std::int64_t>(count_ - 1, best + 1);
    double bestDistance = std::abs(frame.column(x(best)) - column);
    for (std::int64_t i = from; i <= to; ++i) {
        const double distance = std::abs(frame.column(x(i)) - column);
        if (distance < bestDistance || (distance == bestDistance && i < best)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace curvalia::plot
