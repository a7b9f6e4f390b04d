// The intervals of sign, growth and concavity. Each kind of interval ends at
// its own points (zeros; extrema and plateaus; changes of concavity) and at
// every break; between two ends the grid says which way f goes, by a count of
// the samples inside that stand clear of noise. A concave stretch ends where
// its clear bends end when f runs straight for a while after it.
#pragma once

#include "analysis/Findings.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace curvalia::analysis::detail {

class IntervalBuilder {
  public:
    IntervalBuilder(const Curve& curve, const Findings& findings,
                    const std::vector<std::int8_t>& bends)
        : c_(curve), f_(findings), bends_(bends) {}

    // All the intervals, Undefined included, grouped in the order of the
    // kinds and by x within each.
    std::vector<StudyInterval> build() const;

  private:
    using Gap = std::pair<double, double>;
    // The stretches between consecutive ends or breaks.
    std::vector<Gap> gaps(const std::vector<Span>& ends) const;
    // The samples strictly inside a gap: first..last (empty when last < first).
    std::pair<std::int64_t, std::int64_t> inside(const Gap& gap) const;
    bool usable(std::int64_t k) const;
    double flatNoise(double a, double b) const;

    void sign(std::vector<StudyInterval>& out) const;
    void slope(std::vector<StudyInterval>& out) const;
    void bend(std::vector<StudyInterval>& out) const;

    const Curve& c_;
    const Findings& f_;
    const std::vector<std::int8_t>& bends_;
};

} // namespace curvalia::analysis::detail
