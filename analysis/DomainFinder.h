// Where f is not defined: the stretches of undefined samples, their ends
// found by bisection, and what f does next to them. An undefined grid sample
// alone, whose bisection finds no other undefined x beside it, is one point:
// an asymptote where f is unbounded next to it, else an excluded point. At
// the end of a longer stretch f may be unbounded (lgn(x) at 0), or tend to
// 0 at a point of its domain (a zero: rad(2)(x^2-2) at the root of 2).
#pragma once

#include "analysis/Findings.h"

namespace curvalia::analysis::detail {

class DomainFinder {
  public:
    DomainFinder(const Curve& curve, Findings& out) : c_(curve), out_(out) {}
    void run();

  private:
    struct Edge {
        double defined;   // the last defined x found
        double undefined; // the first undefined x found
        double at;        // the simplest x between them
        bool collapsed;   // nothing undefined found beside the grid sample
    };
    Edge edge(std::int64_t definedSample, std::int64_t undefinedSample) const;
    void stretch(std::int64_t first, std::int64_t last);
    void single(std::int64_t k, bool fromLeft, bool fromRight);
    // side: the direction from the edge into where f is defined.
    void end(const Edge& e, int side);

    const Curve& c_;
    Findings& out_;
};

} // namespace curvalia::analysis::detail
