// The zeros of a curve (f, or f - g for the meeting points of two curves).
//
// Between two grid samples of opposite sign the zero is bisected on the
// engine's values down to neighbouring lattice points. If |f| there has not
// shrunk, the sign changed across a break instead: a pole when f is
// unbounded beside it (tg(x) at p/2), else a jump.
//
// Samples that are exactly 0, or no more than rounding noise, form a
// cluster: f crosses 0 there if the samples around have opposite signs, else
// it touches 0 (a double zero). Tiny values that are clean (e^(0-x^2) far
// out) are values like any other.
// A root of multiplicity m written out in full, x^3-3*x^2+3*x-1, is rounding
// noise for a while around the root, and the noise changes sign many times:
// zeros whose samples between stay within that noise (measured by how much
// f jumps between neighbouring lattice points) are one zero, at the middle
// of the stretch where |f| stays that small.
#pragma once

#include "analysis/Findings.h"

#include <vector>

namespace curvalia::analysis::detail {

class ZeroFinder {
  public:
    enum class Kind {
        Crossing, // f changes sign
        Touch,    // f reaches 0 and turns back: side says from which side
        Flat,     // f is 0 from x to to
        Pole,
        Jump,
        Hole, // undefined between the samples; y the limit or NaN
    };
    struct Event {
        Kind kind;
        double x;
        double to = 0;
        double y = 0;
        int side = 0;           // Touch: +1 where f >= 0 around it (a minimum), -1 a maximum
        std::int64_t after = 0; // Pole, Jump, Hole: between samples after and after + 1
        std::int64_t first = 0; // samples in the noise of this zero: first..last
        std::int64_t last = -1;
    };

    explicit ZeroFinder(const Curve& curve)
        : c_(curve), grains_(static_cast<std::size_t>(curve.samples.size()), -1.0) {}
    // The events of every stretch of defined samples, in order of x.
    std::vector<Event> find();

  private:
    // One raw finding: a bisected crossing between samples k and k + 1, or
    // a cluster of small samples first..last.
    struct Raw {
        Event event;
        bool cluster;
        std::int64_t first; // samples covered: first..last (a crossing covers none)
        std::int64_t last;
        double noise;
    };

    void segment(std::int64_t a, std::int64_t b, std::vector<Event>& out);
    Event crossing(std::int64_t k) const;
    Event singular(double lo, double hi, std::int64_t after, bool undefinedAtMid) const;
    // Whether q belongs to the same zero as p; if so both take the noise of
    // the stretch from one to the other.
    bool mergeable(Raw& p, Raw& q) const;
    void group(const std::vector<Raw>& items, std::int64_t a, std::int64_t b,
               std::vector<Event>& out) const;
    // The middle of the stretch around the group where |f| <= level.
    double middle(const std::vector<Raw>& items, std::int64_t outsideLeft,
                  std::int64_t outsideRight, double level) const;

    // A sample that says only "0 or thereabouts": an exact 0, or a value
    // lost in the rounding noise where it was read.
    bool small(std::int64_t k) const;
    // The noise at sample k (CurveProbe::noiseAt), measured once.
    double grainAt(std::int64_t k) const;

    const Curve& c_;
    mutable std::vector<double> grains_;
};

} // namespace curvalia::analysis::detail
