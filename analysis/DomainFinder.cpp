#include "analysis/DomainFinder.h"

#include "analysis/Approach.h"
#include "engine/NumberText.h"

#include <cmath>
#include <limits>

namespace curvalia::analysis::detail {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

int digitsOf(double v) {
    for (int digits = 1; digits < 17; ++digits)
        if (engine::roundToSignificantDigits(v, digits) == v)
            return digits;
    return 17;
}

} // namespace

void DomainFinder::run() {
    const Samples& s = c_.samples;
    for (std::int64_t k = 0; k + 1 < s.size(); ++k)
        out_.joined[static_cast<std::size_t>(k)] = s.isDefined(k) && s.isDefined(k + 1);
    for (std::int64_t k = 0; k < s.size();) {
        if (s.isDefined(k)) {
            ++k;
            continue;
        }
        std::int64_t last = k;
        while (last + 1 < s.size() && !s.isDefined(last + 1))
            ++last;
        stretch(k, last);
        k = last + 1;
    }
}

DomainFinder::Edge DomainFinder::edge(std::int64_t definedSample,
                                      std::int64_t undefinedSample) const {
    const double u = c_.samples.xAt(undefinedSample);
    const auto [in, out] = bisectEdge(
        c_.samples.xAt(definedSample), u, [&](double x) { return c_.probe(x).has_value(); },
        c_.scale.floor);
    return {in, out, simplestBetween(in, out), out == u};
}

void DomainFinder::stretch(std::int64_t first, std::int64_t last) {
    const Samples& s = c_.samples;
    const bool fromLeft = first > 0;
    const bool fromRight = last + 1 < s.size();
    Edge left{};
    Edge right{};
    if (fromLeft)
        left = edge(first - 1, first);
    if (fromRight)
        right = edge(last + 1, last);
    if (first == last && (fromLeft || fromRight) && (!fromLeft || left.collapsed) &&
        (!fromRight || right.collapsed)) {
        single(first, fromLeft, fromRight);
        return;
    }
    const double from = fromLeft ? left.at : c_.scale.xmin;
    const double to = fromRight ? right.at : c_.scale.xmax;
    if (from < to)
        out_.undefined.push_back({IntervalKind::Undefined, from, to});
    out_.breaks.push_back({from, to});
    if (fromLeft)
        end(left, -1);
    if (fromRight)
        end(right, +1);
}

void DomainFinder::single(std::int64_t k, bool fromLeft, bool fromRight) {
    const double x = c_.samples.xAt(k);
    const Hole hole = readHole(c_.probe, x, c_.scale.step / 2, fromLeft, fromRight);
    out_.breaks.push_back({x, x});
    if (hole.asymptote)
        out_.point(PointKind::VerticalAsymptote, x, kUnknown);
    else
        out_.point(PointKind::ExcludedPoint, x, hole.y);
}

void DomainFinder::end(const Edge& e, int side) {
    const Approach a = approach(c_.probe, e.at, side, c_.scale.step / 2);
    if (a.unbounded) {
        out_.point(PointKind::VerticalAsymptote, e.at, kUnknown);
        return;
    }
    if (!a.converges || !(a.toZero || std::fabs(a.limit) <= c_.zeroLevel))
        return;
    // f tends to 0 here. It is a zero when the end belongs to the domain:
    // f is defined at the simplest x of the bracket, or the bracket is down
    // to neighbouring lattice points with no simpler number at its
    // undefined end (rad(2)(x^2-2) at the root of 2, but not x*lgn(x) at 0).
    if (const std::optional<double> v = c_.probe(e.at); v && std::fabs(*v) <= c_.zeroLevel) {
        out_.point(PointKind::Zero, e.at, 0);
        return;
    }
    const bool neighbours = std::fabs(e.undefined - e.defined) > c_.scale.floor;
    if (neighbours && !(e.at == e.undefined && digitsOf(e.undefined) < digitsOf(e.defined)))
        out_.point(PointKind::Zero, e.defined, 0);
}

} // namespace curvalia::analysis::detail
