// Changes of concavity: sign changes of the central second difference
// f(x+s) - 2f(x) + f(x-s) over the grid, counted only between values that
// stand clear of its rounding noise, so that a straight line, a plateau or
// x^4 at 0 give none. Near a sign change the noise is measured where it
// is (a root written out in full is noisy there) and the change is kept only
// if it survives that; it is then bisected on the sign of the same
// difference, whose span shrinks with the bracket but stays a tenth of the
// step at least, where the noise still cannot flip it.
//
// What the bisection finds is a flex where f is smooth there; a jump (the
// sign changes across it too) breaks the curve instead, and a corner
// (abs(x^2-1) at 1) changes the concavity without being a flex.
#pragma once

#include "analysis/Findings.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace curvalia::analysis::detail {

class InflectionFinder {
  public:
    struct Found {
        double x;
        double y;
        bool corner; // the concavity changes, but f has no tangent there
        // Where rounding lets the flex lie: x alone when it was read exactly.
        std::pair<double, double> within;
    };

    InflectionFinder(const Curve& curve, Findings& findings) : c_(curve), f_(findings) {}
    // The changes of concavity; jumps found on the way are recorded as
    // breaks in the findings.
    std::vector<Found> find();
    // Per sample: +1 where the second difference is clearly positive, -1
    // clearly negative, 0 where it is lost in noise or not available.
    const std::vector<std::int8_t>& bends() const { return bends_; }

  private:
    bool available(std::int64_t k) const;
    double second(std::int64_t k) const;
    double noise(double a, double b, double c) const;
    // Scans one continuous piece a..b of samples.
    void piece(std::int64_t a, std::int64_t b, std::vector<Found>& out);
    bool refine(std::int64_t from, std::int64_t to, double localNoise, Found& found);
    // Where a refinement ended at x in rounding noise of the given level,
    // read with the half-width h, inside the bracket (a; b).
    std::pair<double, double> withinNoise(double x, double a, double b, double h,
                                          double level) const;
    // Records a break at x, and a point where f is undefined at x alone.
    void cut(double x);
    void hole(double x);

    const Curve& c_;
    Findings& f_;
    std::vector<std::int8_t> bends_;
};

} // namespace curvalia::analysis::detail
