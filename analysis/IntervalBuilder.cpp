#include "analysis/IntervalBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace curvalia::analysis::detail {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// A concave stretch reaches an end when its last clear bend is at most this
// many samples away; a longer straight run keeps it apart.
constexpr std::int64_t kStraightRun = 5;
// Fewer clear bends than this in a row are a corner, not a concave stretch.
constexpr std::int64_t kLeastBends = 3;

// The kind most samples of a stretch show, when nearly all agree; a mixed
// stretch (a point missed in noise) gets no interval rather than a wrong one.
int verdict(int up, int down) {
    if (up > 0 && down <= up / 10)
        return 1;
    if (down > 0 && up <= down / 10)
        return -1;
    return 0;
}

} // namespace

std::vector<StudyInterval> IntervalBuilder::build() const {
    std::vector<StudyInterval> out;
    sign(out);
    slope(out);
    bend(out);
    out.insert(out.end(), f_.undefined.begin(), f_.undefined.end());
    std::stable_sort(out.begin(), out.end(), [](const StudyInterval& a, const StudyInterval& b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        return a.from < b.from;
    });
    return out;
}

std::vector<IntervalBuilder::Gap> IntervalBuilder::gaps(const std::vector<Span>& ends) const {
    std::vector<Span> all = f_.breaks;
    all.insert(all.end(), ends.begin(), ends.end());
    std::sort(all.begin(), all.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
    std::vector<Gap> out;
    double cursor = c_.scale.xmin;
    for (const Span& s : all) {
        if (s.from > cursor)
            out.emplace_back(cursor, s.from);
        cursor = std::max(cursor, s.to);
    }
    if (cursor < c_.scale.xmax)
        out.emplace_back(cursor, c_.scale.xmax);
    return out;
}

std::pair<std::int64_t, std::int64_t> IntervalBuilder::inside(const Gap& gap) const {
    const std::vector<double>& x = c_.samples.x;
    const auto first = std::upper_bound(x.begin(), x.end(), gap.first) - x.begin();
    const auto last = std::lower_bound(x.begin(), x.end(), gap.second) - x.begin() - 1;
    return {first, last};
}

bool IntervalBuilder::usable(std::int64_t k) const {
    return c_.samples.isDefined(k) && !f_.isNoisy(k);
}

double IntervalBuilder::flatNoise(double a, double b) const {
    return 16 * kEpsilon * (std::fabs(a) + std::fabs(b)) + 4e-14 * c_.samples.typical;
}

void IntervalBuilder::sign(std::vector<StudyInterval>& out) const {
    const Samples& s = c_.samples;
    for (const Gap& gap : gaps(f_.signEnds)) {
        const auto [first, last] = inside(gap);
        int up = 0;
        int down = 0;
        for (std::int64_t k = first; k <= last; ++k)
            if (s.isDefined(k) && std::fabs(s.at(k)) > c_.zeroLevel)
                ++(s.at(k) > 0 ? up : down);
        if (first > last)
            if (const auto v = c_.probe(gap.first + (gap.second - gap.first) / 2);
                v && std::fabs(*v) > c_.zeroLevel)
                ++(*v > 0 ? up : down);
        const int balance = verdict(up, down);
        if (balance != 0)
            out.push_back({balance > 0 ? IntervalKind::Positive : IntervalKind::Negative, gap.first,
                           gap.second});
    }
}

void IntervalBuilder::slope(std::vector<StudyInterval>& out) const {
    const Samples& s = c_.samples;
    for (const Gap& gap : gaps(f_.slopeEnds)) {
        const auto [first, last] = inside(gap);
        int up = 0;
        int down = 0;
        for (std::int64_t k = first; k < last; ++k) {
            if (!usable(k) || !usable(k + 1) || !f_.isJoined(k))
                continue;
            const double d = s.at(k + 1) - s.at(k);
            if (std::fabs(d) > flatNoise(s.at(k), s.at(k + 1)))
                ++(d > 0 ? up : down);
        }
        if (last - first < 1) {
            const double quarter = (gap.second - gap.first) / 4;
            const auto a = c_.probe(gap.first + quarter);
            const auto b = c_.probe(gap.second - quarter);
            if (a && b && std::fabs(*b - *a) > flatNoise(*a, *b))
                ++(*b > *a ? up : down);
        }
        const int balance = verdict(up, down);
        if (balance != 0)
            out.push_back({balance > 0 ? IntervalKind::Increasing : IntervalKind::Decreasing,
                           gap.first, gap.second});
    }
}

void IntervalBuilder::bend(std::vector<StudyInterval>& out) const {
    const Samples& s = c_.samples;
    // An end known to a step only: the grid's x without the last digits
    // that one multiplication leaves (0.00999999999999979 for 0.01).
    const auto rounded = [&](double x) {
        return simplestBetween(x - 1e-9 * c_.scale.step, x + 1e-9 * c_.scale.step);
    };
    const auto state = [&](std::int64_t k) { return bends_[static_cast<std::size_t>(k)]; };
    for (const Gap& gap : gaps(f_.bendEnds)) {
        const auto [first, last] = inside(gap);
        // Runs of clear bends of one sign, across short unclear stretches.
        // A run that meets one of the other sign (a change of concavity not
        // bisected) stops at its last bend on that side.
        bool afterOther = false;
        std::int64_t k = first;
        while (k <= last) {
            if (state(k) == 0) {
                ++k;
                continue;
            }
            const int side = state(k);
            std::int64_t end = k;
            std::int64_t count = 1;
            bool metOther = false;
            for (std::int64_t i = k + 1; i <= last && i - end <= kStraightRun + 1; ++i) {
                if (state(i) == -side) {
                    metOther = true;
                    break;
                }
                if (state(i) == side) {
                    end = i;
                    ++count;
                }
            }
            if (count >= kLeastBends) {
                const bool reachesFrom = !afterOther && k - first <= kStraightRun;
                const bool reachesTo = !metOther && last - end <= kStraightRun;
                out.push_back({side > 0 ? IntervalKind::ConcaveUp : IntervalKind::ConcaveDown,
                               reachesFrom ? gap.first : rounded(s.xAt(k)),
                               reachesTo ? gap.second : rounded(s.xAt(end))});
            }
            afterOther = metOther;
            k = end + 1;
        }
    }
}

} // namespace curvalia::analysis::detail
