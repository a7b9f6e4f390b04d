// How f behaves on one side of a point c: unbounded (a vertical asymptote),
// or tending to a finite limit. f is read at c + h for h shrinking tenfold
// each time, from about half a step down to where the lattice around c (or
// the rounding noise of a cancellation) would blur it.
//
// Unbounded means: over the last several decades |f| keeps moving the same
// way by steps that do not shrink. A pole's steps grow tenfold, a
// logarithm's stay the same; a finite limit's shrink (even rad(9)(x), whose
// steps shrink by 10^(1/9) per decade, are under a third after five), and the
// noise of a removable point has no steady direction nor any size.
#pragma once

#include "analysis/CurveProbe.h"

namespace curvalia::analysis::detail {

struct Approach {
    bool unbounded = false;
    bool converges = false; // a finite limit was read
    double limit = 0;       // when it converges
    double spread = 0;      // how far the last estimates of the limit disagree
    int readings = 0;       // defined values read
    // It converges to 0: the readings shrank a hundredfold and the limit is
    // well below the last of them (sqrt(h) reaches 1e-5 at most, not 0).
    bool toZero = false;
};

// side: -1 from the left, +1 from the right. h0: the first distance.
Approach approach(const CurveProbe& f, double c, int side, double h0);

// A point where f is not defined, read from one or both sides: an
// asymptote when f is unbounded beside it, else an excluded point whose y is
// the common limit (NaN when there is none, or none was read).
struct Hole {
    bool asymptote = false;
    double y = 0;
    int readings = 0; // defined values read beside it, both sides together
};
Hole readHole(const CurveProbe& f, double x, double h0, bool fromLeft, bool fromRight);

// The limit as a person would write it: the simplest number within what
// the readings can tell apart.
double readLimit(const Approach& side);
// The limits from both sides agree: true, with the common value.
bool commonLimit(const Approach& left, const Approach& right, double& limit);

} // namespace curvalia::analysis::detail
