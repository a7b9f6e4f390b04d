#include "analysis/ZeroFinder.h"

#include "analysis/Approach.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace curvalia::analysis::detail {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
// Samples between two zeros within this many times the noise there belong
// to the same zero.
constexpr double kNoiseMargin = 8;
// Noise read at a few points is a rough guide to the rest: two zeros are one
// while the samples between stay within this many times it.
constexpr double kMergeMargin = 32;
// Noise is only ever a tiny part of the largest values: a sample above this
// share of them needs no measuring.
constexpr double kNoiseCeiling = 1e-6;

int signOf(double v) {
    return (v > 0) - (v < 0);
}

} // namespace

bool ZeroFinder::small(std::int64_t k) const {
    const double v = std::abs(c_.samples.at(k));
    if (v == 0)
        return true;
    if (v > kNoiseCeiling * c_.samples.maxAbs)
        return false;
    return v <= kNoiseMargin * grainAt(k);
}

double ZeroFinder::grainAt(std::int64_t k) const {
    double& g = grains_[static_cast<std::size_t>(k)];
    if (g < 0)
        g = c_.probe.noiseAt(c_.samples.xAt(k));
    return g;
}

std::vector<ZeroFinder::Event> ZeroFinder::find() {
    std::vector<Event> out;
    const Samples& s = c_.samples;
    for (std::int64_t k = 0; k < s.size();) {
        if (!s.isDefined(k)) {
            ++k;
            continue;
        }
        std::int64_t last = k;
        while (last + 1 < s.size() && s.isDefined(last + 1))
            ++last;
        segment(k, last, out);
        k = last + 1;
    }
    return out;
}

void ZeroFinder::segment(std::int64_t a, std::int64_t b, std::vector<Event>& out) {
    const Samples& s = c_.samples;
    std::vector<Raw> items;
    const auto flush = [&] {
        if (!items.empty())
            group(items, a, b, out);
        items.clear();
    };
    for (std::int64_t k = a; k <= b;) {
        if (small(k)) {
            std::int64_t last = k;
            while (last + 1 <= b && small(last + 1))
                ++last;
            std::int64_t nearest = k;
            double noise = 0;
            // Noise read at 16 samples at most: a long run of exact zeros
            // (f - g for the same curve twice) needs no more.
            const std::int64_t every = std::max<std::int64_t>(1, (last - k) / 16);
            for (std::int64_t i = k; i <= last; ++i) {
                if (std::abs(s.at(i)) < std::abs(s.at(nearest)))
                    nearest = i;
                if ((i - k) % every == 0 || i == last)
                    noise = std::max(noise, grainAt(i));
            }
            Raw r{{Kind::Crossing, s.xAt(nearest)}, true, k, last, noise};
            if (!items.empty() && !mergeable(items.back(), r))
                flush();
            items.push_back(r);
            k = last + 1;
            continue;
        }
        if (k + 1 <= b && !small(k + 1) && signOf(s.at(k)) != signOf(s.at(k + 1))) {
            const Event e = crossing(k);
            if (e.kind != Kind::Crossing) {
                flush();
                out.push_back(e);
            } else {
                Raw r{e, false, k + 1, k, c_.probe.noiseAt(e.x)};
                if (!items.empty() && !mergeable(items.back(), r))
                    flush();
                items.push_back(r);
            }
        }
        ++k;
    }
    flush();
}

ZeroFinder::Event ZeroFinder::crossing(std::int64_t k) const {
    const Samples& s = c_.samples;
    double lo = s.xAt(k);
    double hi = s.xAt(k + 1);
    double flo = s.at(k);
    double fhi = s.at(k + 1);
    const int sideLo = signOf(flo);
    while (!closedUp(lo, hi, c_.scale.floor)) {
        const double m = latticeMid(lo, hi);
        const std::optional<double> v = c_.probe(m);
        if (!v)
            return singular(m, m, k, true);
        if (*v == 0)
            return {Kind::Crossing, m};
        if (signOf(*v) == sideLo) {
            lo = m;
            flo = *v;
        } else {
            hi = m;
            fhi = *v;
        }
    }
    // A zero brings |f| down to rounding, or into the noise the samples
    // show (read on the grid: beside a pole or a jump any reading of noise
    // is huge); across a pole or a jump it stays as large as on the grid,
    // or grows.
    const double left = std::max(std::abs(flo), std::abs(fhi));
    if (left <= 1e-3 * std::max(std::abs(s.at(k)), std::abs(s.at(k + 1))) || left <= c_.zeroLevel)
        return {Kind::Crossing, simplestBetween(lo, hi)};
    // One reading of noise can be low: the largest of a few around.
    double noise = 0;
    for (std::int64_t i = k - 2; i <= k + 3; ++i)
        if (s.isDefined(i))
            noise = std::max(noise, grainAt(i));
    if (left <= kNoiseMargin * noise)
        return {Kind::Crossing, simplestBetween(lo, hi)};
    return singular(lo, hi, k, false);
}

ZeroFinder::Event ZeroFinder::singular(double lo, double hi, std::int64_t after,
                                       bool undefinedAtMid) const {
    const double h0 = c_.scale.step / 2;
    Event e{Kind::Jump, simplestBetween(lo, hi)};
    e.after = after;
    // The bisection may stop a hair from where f is undefined.
    undefinedAtMid = undefinedAtMid || !c_.probe(e.x);
    if (undefinedAtMid) {
        const Hole hole = readHole(c_.probe, e.x, h0, true, true);
        e.kind = hole.asymptote ? Kind::Pole : Kind::Hole;
        e.y = hole.y;
    } else if (approach(c_.probe, lo, -1, h0).unbounded ||
               approach(c_.probe, hi, +1, h0).unbounded) {
        e.kind = Kind::Pole;
        e.y = kUnknown;
    }
    return e;
}

bool ZeroFinder::mergeable(Raw& p, Raw& q) const {
    // The noise read at one point can be low (its neighbours may round
    // alike): the stretch between takes the largest read along it.
    double noise = std::max(p.noise, q.noise);
    for (std::int64_t k = p.last + 1; k < q.first; ++k) {
        const double v = std::abs(c_.samples.at(k));
        if (v <= kMergeMargin * noise)
            continue;
        noise = std::max(noise, grainAt(k));
        if (v > kMergeMargin * noise)
            return false;
    }
    p.noise = noise;
    q.noise = noise;
    return true;
}

double ZeroFinder::middle(const std::vector<Raw>& items, std::int64_t outsideLeft,
                          std::int64_t outsideRight, double level) const {
    const auto inside = [&](double x) {
        const std::optional<double> v = c_.probe(x);
        return v && std::abs(*v) <= level;
    };
    const Samples& s = c_.samples;
    const double left =
        bisectEdge(items.front().event.x, s.xAt(outsideLeft), inside, c_.scale.floor).first;
    const double right =
        bisectEdge(items.back().event.x, s.xAt(outsideRight), inside, c_.scale.floor).first;
    return onLattice(left + (right - left) / 2);
}

void ZeroFinder::group(const std::vector<Raw>& items, std::int64_t a, std::int64_t b,
                       std::vector<Event>& out) const {
    const Samples& s = c_.samples;
    const Raw& front = items.front();
    if (items.size() == 1 && !front.cluster) {
        out.push_back(front.event);
        return;
    }
    const std::int64_t first = front.first;
    const std::int64_t last = items.back().last;
    Event e{Kind::Crossing, front.event.x};
    e.first = first;
    e.last = last;
    // A run of exact zeros that f leaves by more than noise: f is 0 along
    // it, which no single point says. (Noise around a root also reads 0 at
    // times, a few samples in a row.)
    if (items.size() == 1 && last - first >= 2) {
        bool allZero = true;
        for (std::int64_t k = first; k <= last; ++k)
            allZero = allZero && s.at(k) == 0;
        const auto leaves = [&](std::int64_t k) {
            return k < a || k > b || std::abs(s.at(k)) > kMergeMargin * front.noise;
        };
        if (allZero && leaves(first - 1) && leaves(last + 1)) {
            e.kind = Kind::Flat;
            e.x = s.xAt(first);
            e.to = s.xAt(last);
            e.first = 0; // exact values, not noise
            e.last = -1;
            out.push_back(e);
            return;
        }
    }
    const std::int64_t left = first - 1;
    const std::int64_t right = last + 1;
    if (left < a || right > b) {
        // At an end of the defined stretch (rad(2)(x) at 0, x^2-4 from -2):
        // a zero only where the engine gives exactly 0, the one nearest the end.
        bool found = false;
        for (std::int64_t k = first; k <= last; ++k)
            if (s.at(k) == 0 && (!found || left >= a)) {
                e.x = s.xAt(k);
                found = true;
            }
        if (found)
            out.push_back(e);
        return;
    }
    const int sideLeft = signOf(s.at(left));
    const int sideRight = signOf(s.at(right));
    if (items.size() == 1 && first == last && s.at(first) == 0 && sideLeft != sideRight) {
        e.x = s.xAt(first);
        out.push_back(e);
        return;
    }
    double noise = 0;
    for (const Raw& r : items)
        noise = std::max(noise, r.noise);
    const double centre = middle(items, left, right, std::max(c_.zeroLevel, kNoiseMargin * noise));
    e.x = centre;
    // An exact zero of the engine's among the samples is a better answer
    // than the middle of the noise.
    double nearest = std::numeric_limits<double>::infinity();
    for (std::int64_t k = first; k <= last; ++k)
        if (s.at(k) == 0 && std::abs(s.xAt(k) - centre) < nearest) {
            nearest = std::abs(s.xAt(k) - centre);
            e.x = s.xAt(k);
        }
    if (sideLeft == sideRight) {
        e.kind = Kind::Touch;
        e.side = sideLeft;
    }
    out.push_back(e);
}

} // namespace curvalia::analysis::detail
