// The values the study works on: a curve (f, or f - g for the meeting points
// of two curves) read at any x through recorded schedules, and its samples
// on the grid of the view.
//
// The engine reads x through its 15-digit number text, so between two
// neighbouring 15-digit numbers f does not change: every x the study asks
// for is put on that lattice first, and a search is over when no lattice
// point is left between its ends.
#pragma once

#include "engine/ReductionSchedule.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace curvalia::analysis::detail {

// x rounded to 15 significant digits, as the engine reads it.
double onLattice(double x);
// The distance between neighbouring lattice points at x (0 at x = 0).
double latticeUnit(double x);

class CurveProbe {
  public:
    // f alone, or f - g where both are defined.
    explicit CurveProbe(engine::ReductionSchedule& f, engine::ReductionSchedule* g = nullptr)
        : f_(f), g_(g) {}

    // The value at x (put on the lattice), or nothing where not defined.
    std::optional<double> operator()(double x) const;
    // The grain of rounding noise at x: how far f strays between x and its
    // nearest lattice points from the straight line through them (tiny where
    // the curve is clean, the size of the noise where terms cancel, as near
    // a root written out in full).
    double noiseAt(double x) const;

  private:
    engine::ReductionSchedule& f_;
    engine::ReductionSchedule* g_;
};

// The grid of the view, sample k at Xmin + k * Step, each by one
// multiplication and put on the lattice.
struct Samples {
    std::vector<double> x;
    std::vector<double> y; // 0 where not defined
    std::vector<std::uint8_t> defined;
    double maxAbs = 0;  // the largest |y| sampled
    double typical = 0; // the median |y|: a scale that poles do not inflate

    std::int64_t size() const { return static_cast<std::int64_t>(x.size()); }
    bool isDefined(std::int64_t k) const {
        return k >= 0 && k < size() && defined[static_cast<std::size_t>(k)] != 0;
    }
    double at(std::int64_t k) const { return y[static_cast<std::size_t>(k)]; }
    double xAt(std::int64_t k) const { return x[static_cast<std::size_t>(k)]; }
};

// The number of grid samples of the view (at least 1).
std::int64_t gridCount(double xmin, double xmax, double step);
double gridX(double xmin, double step, std::int64_t k);

// Samples every grid x through probe.
Samples sampleGrid(const CurveProbe& probe, double xmin, double step, std::int64_t count);
// The samples of f - g from the samples of each.
Samples difference(const Samples& f, const Samples& g);

} // namespace curvalia::analysis::detail
