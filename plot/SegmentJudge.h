// Whether two consecutive samples of a curve may be joined by a straight
// segment: only where the function itself runs between them, never across
// a pole or an undefined stretch. The judge asks the function, not the
// slope: steep but continuous parts stay joined, a jump of any height is
// refused. It evaluates on an engine of its own, whose messages go nowhere
// and whose stops never reach the sweep.
#pragma once

#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"
#include "plot/PlotFrame.h"

#include <string_view>

namespace curvalia::plot {

class SegmentJudge {
  public:
    SegmentJudge();
    SegmentJudge(const SegmentJudge&) = delete;
    SegmentJudge& operator=(const SegmentJudge&) = delete;

    // Readies the judge for a curve (its expression lower-cased and checked,
    // as the sweep's own schedule was recorded) drawn in frame, on a surface
    // whose rows are pixelTwipsY twips apart.
    void prepare(std::string_view expression, const PlotFrame& frame, double pixelTwipsY);

    // Two consecutive defined samples (x0, y0) and (x1, y1), x0 < x1.
    bool joins(double x0, double y0, double x1, double y1);

    // Evaluations of the function so far (for tests and measurements).
    long evaluations() const { return evaluations_; }

  private:
    bool joinsWithin(double x0, double row0, double x1, double row1, int depth);

    engine::Engine engine_;
    engine::ReductionSchedule schedule_;
    PlotFrame frame_;
    double tolerance_ = 30; // twips: two pixels
    double pixel_ = 15;     // twips
    long evaluations_ = 0;
};

} // namespace curvalia::plot
