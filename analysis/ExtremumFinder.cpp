#include "analysis/ExtremumFinder.h"

#include "analysis/Approach.h"

#include <algorithm>
#include <cmath>

namespace curvalia::analysis::detail {

namespace {

// Two values this close are the same value rounded to 15 digits.
constexpr double kSame = 1e-12;
// Samples within this many times the noise of each other are one value.
constexpr double kNoiseMargin = 8;
bool sameByRounding(double v, double w) {
    return std::fabs(v - w) <= kSame * std::max(std::fabs(v), std::fabs(w));
}

} // namespace

bool ExtremumFinder::usable(std::int64_t k) const {
    return c_.samples.isDefined(k) && !f_.isNoisy(k);
}

std::vector<ExtremumFinder::Found> ExtremumFinder::find(bool nearZeroOnly) {
    std::vector<Found> out;
    plateaus_.clear();
    const Samples& s = c_.samples;
    for (std::int64_t k = 0; k < s.size();) {
        if (!usable(k)) {
            ++k;
            continue;
        }
        // Samples equal to 15 digits count as one (1-x and x+1 rounded
        // apart may sum to 2 or to 1.99999999999999).
        std::int64_t last = k;
        while (last + 1 < s.size() && usable(last + 1) && f_.isJoined(last) &&
               sameByRounding(s.at(last + 1), s.at(k)))
            ++last;
        k = candidate(k, last, nearZeroOnly, out) + 1;
    }
    return out;
}

std::int64_t ExtremumFinder::candidate(std::int64_t first, std::int64_t last, bool nearZeroOnly,
                                       std::vector<Found>& out) {
    const Samples& s = c_.samples;
    const double v = s.at(first);
    const auto reaches = [&](std::int64_t k, std::int64_t joint) {
        return k >= 0 && k < s.size() && usable(k) && f_.isJoined(joint);
    };
    bool haveLeft = reaches(first - 1, first - 1);
    bool haveRight = reaches(last + 1, last);
    // Three or more equal samples: a plateau when f leaves it by a real
    // step, a flat top when it leaves it by rounding only (x^4+1 at a fine
    // step).
    if (last - first + 1 >= 3) {
        const auto leap = [&](std::int64_t k, bool have) {
            return have && std::fabs(s.at(k) - v) > 1e3 * kSame * std::fabs(v);
        };
        if (leap(first - 1, haveLeft) || leap(last + 1, haveRight) || !haveLeft || !haveRight) {
            plateaus_.push_back({s.xAt(first), s.xAt(last)});
            return last;
        }
    }
    if (!haveLeft || !haveRight)
        return last;
    int sign = s.at(first - 1) > v && s.at(last + 1) > v ? 1 : 0;
    if (s.at(first - 1) < v && s.at(last + 1) < v)
        sign = -1;
    if (sign == 0)
        return last;
    // Where the steps between samples are no larger than the noise (a root
    // of even multiplicity written out in full, just beside its zero), the
    // samples within the noise of this one count as one with it.
    // One reading of noise can be low: when the climb is anywhere near it,
    // the largest of a few around.
    double noise = c_.probe.noiseAt(s.xAt(first));
    const double climbs = std::min(sign * (s.at(first - 1) - v), sign * (s.at(last + 1) - v));
    for (std::int64_t k = first - 2; k <= first + 2 && climbs <= 64 * noise; ++k)
        if (s.isDefined(k) && k != first)
            noise = std::max(noise, c_.probe.noiseAt(s.xAt(k)));
    const double band = kNoiseMargin * noise;
    if (band > 0 && std::min(sign * (s.at(first - 1) - v), sign * (s.at(last + 1) - v)) <= band) {
        while (reaches(first - 1, first - 1) && std::fabs(s.at(first - 1) - v) <= band)
            --first;
        while (reaches(last + 1, last) && std::fabs(s.at(last + 1) - v) <= band)
            ++last;
        haveLeft = reaches(first - 1, first - 1);
        haveRight = reaches(last + 1, last);
        if (!haveLeft || !haveRight || sign * (s.at(first - 1) - v) <= band ||
            sign * (s.at(last + 1) - v) <= band)
            return last;
    }
    const double yl = s.at(first - 1);
    const double yr = s.at(last + 1);
    const double climb = std::max(sign * (yl - v), sign * (yr - v));
    if (nearZeroOnly && std::fabs(v) > 2 * climb)
        return last;
    const Extremum e =
        refineExtremum(c_.probe, s.xAt(first - 1), s.xAt(last + 1), sign, c_.scale.floor, band);
    Found found{e.x, e.value, sign < 0, false, first};
    if (e.holeAtBest) {
        // The best value is a limit, never reached: no extremum, but a hole.
        const Hole hole = readHole(c_.probe, e.x, c_.scale.step / 2, true, true);
        found.pole = hole.asymptote;
        found.hole = !hole.asymptote;
        found.y = hole.y;
        out.push_back(found);
        return last;
    }
    // A smooth extremum lies at most a quarter of the climb beyond the best
    // sample; a search that went much further ran into a pole.
    const double gain = sign * (v - e.value);
    if (e.sawUndefined || gain > 10 * climb + band) {
        const double h0 = c_.scale.step / 2;
        found.pole =
            approach(c_.probe, e.x, -1, h0).unbounded || approach(c_.probe, e.x, +1, h0).unbounded;
        // The search stops a lattice point or two short of the pole itself.
        if (found.pole) {
            const double slack = std::max(2 * latticeUnit(e.x), 2 * c_.scale.floor);
            found.x = simplestBetween(e.x - slack, e.x + slack);
        }
    }
    out.push_back(found);
    return last;
}

} // namespace curvalia::analysis::detail
