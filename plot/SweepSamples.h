// The grid of x values one sweep took: sample k lies at Xmin + k * Step. The
// trace stands on this grid, each x computed afresh by one multiplication
// and rounded to the decimals of the step, rather than on the sweep's running
// sum (which drifts: after 600 steps of 0.01 from -5 it reads
// 0.999999999999938, not 1, and a pole there would look defined).
#pragma once

#include "plot/PlotFrame.h"

#include <cstdint>

namespace curvalia::plot {

class SweepSamples {
  public:
    SweepSamples() = default;
    SweepSamples(double xmin, double step, std::int64_t count);

    std::int64_t count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The x of sample index (0 <= index < count()).
    double x(std::int64_t index) const;
    // The decimals the step is written with (0.01: 2, 0.025: 3, 5: 0), which
    // are all the decimals a grid x from a whole Xmin can have.
    int decimals() const { return decimals_; }
    // The sample whose column under frame lies nearest to column (twips
    // from the frame's left edge); the first of two equally near.
    std::int64_t nearest(const PlotFrame& frame, double column) const;

    // The decimals of step, at most 15; 15 when it has more.
    static int decimalsOf(double step);

  private:
    double xmin_ = 0;
    double step_ = 0;
    std::int64_t count_ = 0;
    int decimals_ = 0;
    double scale_ = 1; // 10^decimals_
};

} // namespace curvalia::plot
