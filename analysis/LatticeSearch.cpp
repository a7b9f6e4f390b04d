#include "analysis/LatticeSearch.h"

#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace curvalia::analysis::detail {

double latticeMid(double a, double b) {
    return onLattice(a + (b - a) / 2);
}

bool closedUp(double a, double b, double floor) {
    if (std::fabs(b - a) <= floor)
        return true;
    const double m = latticeMid(a, b);
    return !(std::min(a, b) < m && m < std::max(a, b));
}

double simplestBetween(double lo, double hi) {
    if (hi < lo)
        std::swap(lo, hi);
    if (lo <= 0 && 0 <= hi)
        return 0;
    const double mid = lo + (hi - lo) / 2;
    // The d-digit number nearest the middle lies in the bracket whenever
    // any d-digit number does.
    for (int digits = 1; digits <= 17; ++digits) {
        const double r = engine::roundToSignificantDigits(mid, digits);
        if (lo <= r && r <= hi)
            return r + 0.0;
    }
    return mid;
}

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// 2 - the golden ratio: where the golden section puts its inner points.
constexpr double kGolden = 0.3819660112501051;

struct Signed {
    const CurveProbe& f;
    int sign;
    bool* sawUndefined;
    double operator()(double x) const {
        const std::optional<double> v = f(x);
        if (!v) {
            *sawUndefined = true;
            return kInfinity;
        }
        return sign * *v;
    }
};

// The ends of the stretch around best where f stays within rounding of its
// value at best.
std::pair<double, double> flatStretch(const Signed& g, double best, double a, double b,
                                      double floor, double noise) {
    const double fbest = g(best);
    const double level = fbest + std::max(1e-14 * std::fabs(fbest), noise);
    const auto inside = [&](double x) { return g(x) <= level; };
    const double left = inside(a) ? a : bisectEdge(best, a, inside, floor).first;
    const double right = inside(b) ? b : bisectEdge(best, b, inside, floor).first;
    return {left, right};
}

} // namespace

Extremum refineExtremum(const CurveProbe& f, double a, double b, int sign, double floor,
                        double noise) {
    Extremum found;
    const Signed g{f, sign, &found.sawUndefined};
    if (b < a)
        std::swap(a, b);
    double lo = a;
    double hi = b;
    double c = onLattice(lo + kGolden * (hi - lo));
    double d = onLattice(hi - kGolden * (hi - lo));
    double fc = g(c);
    double fd = g(d);
    for (int i = 0; i < 300; ++i) {
        if (!(lo < c && c < d && d < hi) || hi - lo <= std::max(floor, 4 * latticeUnit(c)))
            break;
        if (fc < fd) {
            hi = d;
            d = c;
            fd = fc;
            c = onLattice(lo + kGolden * (hi - lo));
            fc = g(c);
        } else {
            lo = c;
            c = d;
            fc = fd;
            d = onLattice(hi - kGolden * (hi - lo));
            fd = g(d);
        }
    }
    double best = fc <= fd ? c : d;
    double fbest = std::min(fc, fd);
    const double mid = latticeMid(lo, hi);
    if (const double fm = g(mid); fm < fbest) {
        best = mid;
        fbest = fm;
    }
    if (fbest == kInfinity) {
        found.x = best;
        found.value = 0;
        found.sawUndefined = true;
        return found;
    }
    // A flat bottom (x^4 + 1 is 1 to 15 digits for |x| < 2e-4) is as low
    // everywhere: its middle is the honest answer, not the end the search
    // happened to slide to.
    const auto [left, right] = flatStretch(g, best, a, b, floor, noise);
    // Known to the width where the search stopped, at best.
    const double centre = left + (right - left) / 2;
    const double slack = std::max((right - left) / 16, floor);
    double x = simplestBetween(centre - slack, centre + slack);
    const std::optional<double> v = f(x);
    if (!v) {
        // Undefined right where f is best: sin(x)/x at 0, between samples.
        found.x = x;
        found.value = sign * fbest;
        found.holeAtBest = true;
        return found;
    }
    if (sign * *v > fbest + std::max(1e-14 * std::fabs(fbest), noise)) {
        x = best;
        found.value = sign * fbest;
    } else {
        found.value = *v;
    }
    found.x = onLattice(x);
    return found;
}

} // namespace curvalia::analysis::detail
