// What the parts of a study hand on to each other: the points found so
// far, where the curve breaks, and the places each kind of interval ends.
#pragma once

#include "analysis/FunctionStudy.h"
#include "analysis/LatticeSearch.h"

#include <cstdint>
#include <vector>

namespace curvalia::analysis::detail {

// A stretch of x (a single point when from == to) that an interval may not
// run across.
struct Span {
    double from;
    double to;
};

struct Findings {
    explicit Findings(std::int64_t count)
        : joined(static_cast<std::size_t>(count > 0 ? count - 1 : 0), 0),
          noisy(static_cast<std::size_t>(count), 0) {}

    std::vector<StudyPoint> points;
    std::vector<StudyInterval> undefined;
    // Where f is continuous: joined[k] says samples k and k+1 are both
    // defined with no pole, jump or hole between them.
    std::vector<std::uint8_t> joined;
    // Samples inside the rounding noise around a zero: their values say
    // nothing of the slope or the bend.
    std::vector<std::uint8_t> noisy;
    // Breaks (poles, jumps, holes, undefined stretches): every kind of
    // interval ends there.
    std::vector<Span> breaks;
    std::vector<Span> signEnds;  // zeros, stretches where f is 0
    std::vector<Span> slopeEnds; // extrema, stretches where f is constant
    std::vector<Span> bendEnds;  // changes of concavity, flexes or corners

    bool isJoined(std::int64_t k) const {
        return k >= 0 && k < static_cast<std::int64_t>(joined.size()) &&
               joined[static_cast<std::size_t>(k)] != 0;
    }
    bool isNoisy(std::int64_t k) const { return noisy[static_cast<std::size_t>(k)] != 0; }
    void cutAfter(std::int64_t k) {
        if (k >= 0 && k < static_cast<std::int64_t>(joined.size()))
            joined[static_cast<std::size_t>(k)] = 0;
    }
    void point(PointKind kind, double x, double y) { points.push_back({kind, x, y, {}}); }
};

// What every part needs to read f.
struct Curve {
    const Samples& samples;
    const CurveProbe& probe;
    Scale scale;
    // Values within this of 0 count as 0: 1e-12 of the largest |f| sampled.
    double zeroLevel;
};

} // namespace curvalia::analysis::detail
