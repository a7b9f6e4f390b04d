// The relative maxima and minima inside the view: a grid sample above (or
// below) both neighbours on one continuous piece, refined by the golden
// section on f itself, corners included. Equal samples count as one: three
// or more equal samples whose neighbours differ by more than rounding are a
// plateau, which is no extremum (every point of it would be one).
//
// A search that climbs far beyond what the grid showed may have found a
// pole between two samples (1/(x-0.005)^2, or lgn(abs(x-0.005))): f's
// behaviour beside it decides.
#pragma once

#include "analysis/Findings.h"

#include <vector>

namespace curvalia::analysis::detail {

class ExtremumFinder {
  public:
    struct Found {
        double x;
        double y;
        bool maximum;
        bool pole; // not an extremum: f is unbounded beside x
        std::int64_t sample;
        bool hole = false; // not an extremum: f is undefined at x, y its limit (or NaN)
    };

    ExtremumFinder(const Curve& curve, const Findings& findings) : c_(curve), f_(findings) {}
    // nearZeroOnly: only the extrema whose grid value is small enough that
    // the refined one may touch 0 (for the meeting points of two curves).
    std::vector<Found> find(bool nearZeroOnly);
    // Stretches where f is constant, found by the last find().
    const std::vector<Span>& plateaus() const { return plateaus_; }

  private:
    // Looks at the run of equal samples first..last; answers the last
    // sample it took in.
    std::int64_t candidate(std::int64_t first, std::int64_t last, bool nearZeroOnly,
                           std::vector<Found>& out);
    bool usable(std::int64_t k) const;

    const Curve& c_;
    const Findings& f_;
    std::vector<Span> plateaus_;
};

} // namespace curvalia::analysis::detail
