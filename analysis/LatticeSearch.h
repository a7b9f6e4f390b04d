// The searches that refine what the grid shows, all on the 15-digit lattice
// of x (see CurveProbe.h): bisection of an edge, the golden-section search
// for an extremum, and the simplest number of a bracket to report.
#pragma once

#include "analysis/CurveProbe.h"

#include <utility>

namespace curvalia::analysis::detail {

// The scales of one study.
struct Scale {
    double xmin = 0;
    double xmax = 0;
    double step = 0;  // the grid step
    double width = 0; // Xmax - Xmin
    // Near 0 the lattice is as fine as doubles go: a search there stops at
    // this width instead (1e-16 of the view's size).
    double floor = 0;
};

// The lattice point halfway between a and b.
double latticeMid(double a, double b);
// No lattice point strictly between a and b, or they are within floor.
bool closedUp(double a, double b, double floor);

// The number with the fewest significant digits in [lo, hi] (0 if inside),
// the one nearest the middle among those: what a person would write for a
// point known to lie in the bracket.
double simplestBetween(double lo, double hi);

// Bisects between a point where inside(x) holds and one where it does not;
// answers the last inside and the first outside point found.
template <class Inside>
std::pair<double, double> bisectEdge(double in, double out, Inside&& inside, double floor) {
    for (int i = 0; i < 400 && !closedUp(in, out, floor); ++i) {
        const double m = latticeMid(in, out);
        if (inside(m))
            in = m;
        else
            out = m;
    }
    return {in, out};
}

struct Extremum {
    double x = 0;
    double value = 0; // f at x
    bool sawUndefined = false;
    bool holeAtBest = false; // f is undefined at x itself, the middle of the best stretch
};

// The extremum of f between a and b (both worse than some point between):
// a minimum for sign +1, a maximum for -1. A flat bottom, where f is the
// same to 15 digits, or within noise of the best value, over a stretch, is
// answered by its middle.
Extremum refineExtremum(const CurveProbe& f, double a, double b, int sign, double floor,
                        double noise = 0);

} // namespace curvalia::analysis::detail
