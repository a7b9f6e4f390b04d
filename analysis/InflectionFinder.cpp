#include "analysis/InflectionFinder.h"

#include "analysis/Approach.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace curvalia::analysis::detail {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// Rounding to 15 digits at every step leaves a few units of 1e-15 in each
// value, and a sum of three values adds them up.
constexpr double kRelativeNoise = 64 * kEpsilon;
// Noise beside a change of sign, as a multiple of f's grain there.
constexpr double kLocalMargin = 16;

int signOf(double v) {
    return (v > 0) - (v < 0);
}

} // namespace

bool InflectionFinder::available(std::int64_t k) const {
    const Samples& s = c_.samples;
    for (std::int64_t i = k - 1; i <= k + 1; ++i)
        if (!s.isDefined(i) || f_.isNoisy(i))
            return false;
    return f_.isJoined(k - 1) && f_.isJoined(k);
}

double InflectionFinder::second(std::int64_t k) const {
    const Samples& s = c_.samples;
    return s.at(k + 1) - 2 * s.at(k) + s.at(k - 1);
}

double InflectionFinder::noise(double a, double b, double c) const {
    return kRelativeNoise * (std::fabs(a) + 2 * std::fabs(b) + std::fabs(c)) +
           4e-14 * c_.samples.typical;
}

std::vector<InflectionFinder::Found> InflectionFinder::find() {
    const Samples& s = c_.samples;
    bends_.assign(static_cast<std::size_t>(s.size()), 0);
    for (std::int64_t k = 1; k + 1 < s.size(); ++k)
        if (available(k)) {
            const double d = second(k);
            if (std::fabs(d) > noise(s.at(k - 1), s.at(k), s.at(k + 1)))
                bends_[static_cast<std::size_t>(k)] = static_cast<std::int8_t>(signOf(d));
        }
    std::vector<Found> out;
    // Pieces: runs of joined samples.
    for (std::int64_t k = 0; k < s.size();) {
        std::int64_t last = k;
        while (f_.isJoined(last))
            ++last;
        if (last - k >= 2)
            piece(k, last, out);
        k = last + 1;
    }
    return out;
}

void InflectionFinder::piece(std::int64_t a, std::int64_t b, std::vector<Found>& out) {
    const Samples& s = c_.samples;
    const auto bend = [&](std::int64_t k) { return bends_[static_cast<std::size_t>(k)]; };
    std::int64_t previous = -1;
    for (std::int64_t k = a + 1; k < b; ++k) {
        if (bend(k) == 0)
            continue;
        if (previous < 0 || bend(previous) == bend(k)) {
            previous = k;
            continue;
        }
        // One or two bends of the other sign and back: a corner (the
        // spike of abs(x) in a sum), which has no flex beside it.
        std::int64_t back = k;
        int count = 0;
        while (back < b && bend(back) != bend(previous)) {
            count += bend(back) != 0;
            ++back;
        }
        if (count < 3 && bend(back) == bend(previous)) {
            previous = back;
            k = back;
            continue;
        }
        // A change of sign between previous and k: widen it over every
        // value the noise measured here could have flipped.
        const std::int64_t middle = previous + (k - previous) / 2;
        const double grain =
            std::max({c_.probe.noiseAt(s.xAt(previous)), c_.probe.noiseAt(s.xAt(middle)),
                      c_.probe.noiseAt(s.xAt(k))});
        const auto clear = [&](std::int64_t i) {
            return bend(i) != 0 && std::fabs(second(i)) > noise(s.at(i - 1), s.at(i), s.at(i + 1)) +
                                                              kLocalMargin * 4 * grain;
        };
        std::int64_t from = previous;
        while (from > a && !clear(from))
            --from;
        std::int64_t to = k;
        while (to < b && !clear(to))
            ++to;
        for (std::int64_t i = from + 1; i < to; ++i)
            bends_[static_cast<std::size_t>(i)] = 0;
        if (!clear(from) || !clear(to)) {
            previous = clear(to) ? to : -1;
            k = to;
            continue;
        }
        Found found{};
        if (bend(from) != bend(to) && refine(from, to, grain, found))
            out.push_back(found);
        previous = to;
        k = to;
    }
}

void InflectionFinder::cut(double x) {
    const Samples& s = c_.samples;
    f_.breaks.push_back({x, x});
    const auto after = std::upper_bound(s.x.begin(), s.x.end(), x) - s.x.begin();
    f_.cutAfter(after - 1);
}

void InflectionFinder::hole(double x) {
    // Undefined between two samples (abs(x-c)/(x-c) at c, halfway between
    // two grid points): a point of its own when f is defined beside it.
    const Hole h = readHole(c_.probe, x, c_.scale.step / 2, true, true);
    cut(x);
    if (h.readings == 0)
        return;
    f_.point(h.asymptote ? PointKind::VerticalAsymptote : PointKind::ExcludedPoint, x,
             h.asymptote ? std::numeric_limits<double>::quiet_NaN() : h.y);
}

std::pair<double, double> InflectionFinder::withinNoise(double x, double a, double b, double h,
                                                        double level) const {
    // The second difference is lost in rounding at x: the flex lies anywhere
    // it stays so. Near x it grows about linearly, so its slope across the
    // bracket tells how far that is; the simplest number there is the one a
    // person would write (0 for x^3-3*x, not -8e-10).
    const CurveProbe& f = c_.probe;
    const auto second = [&](double at) -> std::optional<double> {
        const auto l = f(at - h);
        const auto m = f(at);
        const auto r = f(at + h);
        if (!l || !m || !r)
            return std::nullopt;
        return *r - 2 * *m + *l;
    };
    const auto da = second(a);
    const auto db = second(b);
    if (!da || !db)
        return {x, x};
    const double slope = std::fabs(*db - *da) / (b - a);
    if (!(slope > 0))
        return {a, b};
    const double reach = level / slope;
    return {std::max(a, x - reach), std::min(b, x + reach)};
}

bool InflectionFinder::refine(std::int64_t from, std::int64_t to, double grain, Found& found) {
    const Samples& s = c_.samples;
    const CurveProbe& f = c_.probe;
    const double step = c_.scale.step;
    const int sideFrom = bends_[static_cast<std::size_t>(from)];
    double a = s.xAt(from);
    double b = s.xAt(to);
    double x = latticeMid(a, b);
    const double extra = kLocalMargin * 4 * grain;
    double flatH = 0;
    double flatLevel = 0;
    for (int i = 0; i < 300 && !closedUp(a, b, c_.scale.floor); ++i) {
        x = latticeMid(a, b);
        const double h = std::clamp(b - a, step / 10, step);
        const auto before = f(x - h);
        const auto here = f(x);
        const auto after = f(x + h);
        if (!here)
            hole(x);
        if (!before || !here || !after)
            return false;
        const double d = *after - 2 * *here + *before;
        // The noise measured here, not the grid's general floor: away from
        // cancellations the sign stays readable down to the lattice.
        const double rounding =
            kRelativeNoise * (std::fabs(*before) + 2 * std::fabs(*here) + std::fabs(*after));
        if (std::fabs(d) <= rounding + extra) {
            flatH = h;
            flatLevel = rounding + extra;
            break;
        }
        if (signOf(d) == sideFrom)
            a = x;
        else
            b = x;
    }
    std::pair<double, double> within{x, x};
    if (flatH > 0)
        within = withinNoise(x, a, b, flatH, flatLevel);
    else if (closedUp(a, b, c_.scale.floor))
        within = {a, b};
    if (within.first < within.second)
        x = simplestBetween(within.first, within.second);
    // Continuity and a tangent: the jump across x must shrink with the
    // distance, and the slopes on either side must not settle apart.
    const auto y = f(x);
    if (!y) {
        hole(x);
        return false;
    }
    double jump[2];
    double slopeLeft[2];
    double slopeRight[2];
    // Far apart, so that a root's slow approach (rad(3)(x) at 0 shrinks by
    // 21 over a factor 10^4) is not taken for a jump, which does not shrink.
    const double distance[2] = {step / 100, step / 1e6};
    for (int i = 0; i < 2; ++i) {
        const auto l = f(x - distance[i]);
        const auto r = f(x + distance[i]);
        if (!l || !r)
            return false;
        jump[i] = std::fabs(*r - *l);
        slopeLeft[i] = (*y - *l) / distance[i];
        slopeRight[i] = (*r - *y) / distance[i];
    }
    const double level = 4 * (noise(*y, *y, *y) + extra);
    if (jump[1] > 0.5 * jump[0] + level) {
        // Not continuous: a jump, where every kind of interval ends.
        cut(x);
        return false;
    }
    // A corner: both one-sided slopes settle, to different values. At a
    // vertical tangent (rad(3)(x) at 0) they grow without settling.
    const auto settles = [](const double* slope) {
        return std::fabs(slope[1] - slope[0]) <=
               0.1 * std::max(std::fabs(slope[0]), std::fabs(slope[1]));
    };
    const double apart = std::fabs(slopeRight[1] - slopeLeft[1]);
    found.x = x;
    found.y = *y;
    found.within = within;
    found.corner = settles(slopeLeft) && settles(slopeRight) &&
                   apart > 0.1 * std::max(std::fabs(slopeLeft[1]), std::fabs(slopeRight[1])) &&
                   apart * distance[1] > level;
    return true;
}

} // namespace curvalia::analysis::detail
