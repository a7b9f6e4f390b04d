#include "analysis/Approach.h"

#include "analysis/LatticeSearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace curvalia::analysis::detail {

namespace {

constexpr int kMaxReadings = 48;

int signOf(double v) {
    return (v > 0) - (v < 0);
}

bool isUnbounded(const std::array<double, kMaxReadings>& v, int n) {
    if (n < 4)
        return false;
    const auto d = [&](int j) { return v[j + 1] - v[j]; };
    const int last = n - 2;
    const int s = signOf(d(last));
    if (s == 0)
        return false;
    int first = last;
    while (first > 0 && signOf(d(first - 1)) == s)
        --first;
    if (last - first + 1 < 3)
        return false;
    for (int j = first; j < last; ++j)
        if (std::fabs(d(j + 1)) < 0.5 * std::fabs(d(j)))
            return false;
    if (std::fabs(d(last)) < 0.5 * std::fabs(d(first)))
        return false;
    const double travel = std::fabs(v[n - 1] - v[first]);
    return travel >= 1e-3 * std::max(std::fabs(v[first]), std::fabs(v[n - 1]));
}

double aitken(double a, double b, double c) {
    const double d1 = b - a;
    const double d2 = c - b;
    const double den = d2 - d1;
    if (den == 0)
        return c;
    const double e = c - d2 * d2 / den;
    return std::isfinite(e) ? e : c;
}

} // namespace

Approach approach(const CurveProbe& f, double c, int side, double h0) {
    Approach a;
    std::array<double, kMaxReadings> v{};
    int n = 0;
    // Below 1e-10 of |c| a cancellation at c (x - 2 at x near 2) leaves
    // mostly rounding noise.
    const double hmin = std::max(1e-10 * std::fabs(c), 1e-40 * h0);
    double h = h0;
    for (int j = 0; j < kMaxReadings && h >= hmin; ++j, h /= 10) {
        const double x = onLattice(c + side * h);
        if (side * (x - c) <= 0)
            break;
        const std::optional<double> value = f(x);
        if (!value)
            break;
        v[static_cast<std::size_t>(n++)] = *value;
    }
    a.readings = n;
    if (n < 3)
        return a;
    a.unbounded = isUnbounded(v, n);
    if (a.unbounded)
        return a;
    // Aitken's extrapolation is exact for steps shrinking by a steady ratio,
    // as those of c + a h^k do: the two neighbouring estimates that agree
    // best give the limit, before noise and after the far terms fade.
    a.limit = aitken(v[0], v[1], v[2]);
    a.spread = std::fabs(v[2] - v[1]);
    double best = std::numeric_limits<double>::infinity();
    for (int j = 0; j + 3 < n; ++j) {
        const double e0 = aitken(v[j], v[j + 1], v[j + 2]);
        const double e1 = aitken(v[j + 1], v[j + 2], v[j + 3]);
        if (std::fabs(e1 - e0) < best) {
            best = std::fabs(e1 - e0);
            a.limit = e1;
            a.spread = best;
        }
    }
    double largest = 0;
    for (int j = 0; j + 1 < n; ++j)
        largest = std::max(largest, std::fabs(v[j + 1] - v[j]));
    const double lastStep = std::fabs(v[n - 1] - v[n - 2]);
    a.converges =
        lastStep <= 0.5 * largest || lastStep <= 1e-12 * std::max(1.0, std::fabs(v[n - 1]));
    double first = 0;
    for (int j = 0; j < n; ++j)
        first = std::max(first, std::fabs(v[j]));
    const double last = std::fabs(v[n - 1]);
    a.toZero = a.converges &&
               (a.limit == 0 || (std::fabs(a.limit) <= 1e-3 * last && last <= 1e-2 * first));
    return a;
}

double readLimit(const Approach& side) {
    const double l = side.limit;
    const double scale = std::max(1.0, std::fabs(l));
    const double slack = std::min(std::max(2 * side.spread, 1e-12 * std::fabs(l)), 1e-7 * scale);
    return simplestBetween(l - slack, l + slack);
}

Hole readHole(const CurveProbe& f, double x, double h0, bool fromLeft, bool fromRight) {
    Approach left;
    Approach right;
    if (fromLeft)
        left = approach(f, x, -1, h0);
    if (fromRight)
        right = approach(f, x, +1, h0);
    Hole hole;
    hole.readings = left.readings + right.readings;
    hole.asymptote = left.unbounded || right.unbounded;
    hole.y = std::numeric_limits<double>::quiet_NaN();
    if (hole.asymptote)
        return hole;
    if (fromLeft && fromRight) {
        if (!commonLimit(left, right, hole.y))
            hole.y = std::numeric_limits<double>::quiet_NaN();
    } else if (const Approach& only = fromLeft ? left : right; only.converges) {
        hole.y = readLimit(only);
    }
    return hole;
}

bool commonLimit(const Approach& left, const Approach& right, double& limit) {
    if (!left.converges || !right.converges)
        return false;
    const double gap = std::fabs(left.limit - right.limit);
    const double scale = std::max({1.0, std::fabs(left.limit), std::fabs(right.limit)});
    if (gap > 1e-6 * scale)
        return false;
    Approach both = left;
    both.limit = left.limit + (right.limit - left.limit) / 2;
    both.spread = std::max({left.spread, right.spread, gap});
    limit = readLimit(both);
    return true;
}

} // namespace curvalia::analysis::detail
