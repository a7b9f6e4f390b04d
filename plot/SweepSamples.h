// The x values one sweep took: Xmin, then x + Step again and again, exactly
// as the sweep added them, so that a point found here sits on the plotted
// one. Every 64th value is kept, so any sample is found again with at most
// 63 additions, also after a sweep of millions of samples.
#pragma once

#include "plot/PlotFrame.h"

#include <cstdint>
#include <vector>

namespace curvalia::plot {

class SweepSamples {
  public:
    SweepSamples() = default;
    SweepSamples(double xmin, double step, std::int64_t count);

    std::int64_t count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The x of sample index (0 <= index < count()).
    double x(std::int64_t index) const;
    // The sample whose column under frame lies nearest to column (twips
    // from the frame's left edge); the first of two equally near.
    std::int64_t nearest(const PlotFrame& frame, double column) const;

  private:
    static constexpr int kStride = 64;
    double step_ = 0;
    std::int64_t count_ = 0;
    std::vector<double> kept_; // x of samples 0, 64, 128, ...
};

} // namespace curvalia::plot
