#include "analysis/FunctionStudy.h"

#include "analysis/CurveProbe.h"
#include "analysis/DomainFinder.h"
#include "analysis/ExtremumFinder.h"
#include "analysis/Findings.h"
#include "analysis/InflectionFinder.h"
#include "analysis/IntervalBuilder.h"
#include "analysis/ZeroFinder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace curvalia::analysis {

using namespace detail;

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

std::optional<std::string> rangeRefusal(const StudyRange& r, double maxSamples) {
    const bool finite = std::isfinite(r.Xmin) && std::isfinite(r.Xmax) &&
                        std::isfinite(r.Xmax - r.Xmin) && r.Xmin < r.Xmax;
    if (!finite)
        return msg::kBadRange;
    const double far = std::max(std::fabs(r.Xmin), std::fabs(r.Xmax));
    // A step below the 15-digit grain of x would give the same x twice.
    if (!std::isfinite(r.Step) || !(r.Step > 0) || r.Step < 1e-13 * far)
        return msg::kBadStep;
    // Counted as the grid is laid: the quotient alone can be one short.
    if (static_cast<double>(gridCount(r.Xmin, r.Xmax, r.Step)) > maxSamples)
        return msg::kTooManySamples;
    return std::nullopt;
}

void markNoisy(Findings& f, const ZeroFinder::Event& e) {
    for (std::int64_t k = e.first; k <= e.last; ++k)
        f.noisy[static_cast<std::size_t>(k)] = 1;
}

// Breaks the curve at x: between the samples around it, and on both sides
// of a sample that x is.
void cutAt(Findings& f, const Samples& s, double x) {
    const auto after = std::upper_bound(s.x.begin(), s.x.end(), x) - s.x.begin();
    f.cutAfter(after - 1);
    if (after - 1 >= 0 && s.xAt(after - 1) == x)
        f.cutAfter(after - 2);
}

void addZeros(const Curve& c, Findings& f) {
    for (const ZeroFinder::Event& e : ZeroFinder(c).find()) {
        markNoisy(f, e);
        switch (e.kind) {
        case ZeroFinder::Kind::Crossing:
            f.point(PointKind::Zero, e.x, 0);
            f.signEnds.push_back({e.x, e.x});
            break;
        case ZeroFinder::Kind::Touch:
            f.point(PointKind::DoubleZero, e.x, 0);
            f.point(e.side > 0 ? PointKind::Minimum : PointKind::Maximum, e.x,
                    c.probe(e.x).value_or(0));
            f.signEnds.push_back({e.x, e.x});
            f.slopeEnds.push_back({e.x, e.x});
            break;
        case ZeroFinder::Kind::Flat:
            f.signEnds.push_back({e.x, e.to});
            f.slopeEnds.push_back({e.x, e.to});
            break;
        case ZeroFinder::Kind::Pole:
        case ZeroFinder::Kind::Jump:
        case ZeroFinder::Kind::Hole:
            if (e.kind == ZeroFinder::Kind::Pole)
                f.point(PointKind::VerticalAsymptote, e.x, kUnknown);
            if (e.kind == ZeroFinder::Kind::Hole)
                f.point(PointKind::ExcludedPoint, e.x, e.y);
            f.breaks.push_back({e.x, e.x});
            f.cutAfter(e.after);
            break;
        }
    }
}

// An extremum within zeroLevel of 0 touches 0 when f rises clear of that
// level on both sides before it changes sign: not so the tiny humps of
// e^(0-x^2)*sin(x) far out, between its zeros.
bool touches(const Curve& c, const Findings& f, const ExtremumFinder::Found& e) {
    const Samples& s = c.samples;
    const int side = e.maximum ? -1 : 1;
    for (const int direction : {-1, 1}) {
        bool clear = false;
        for (std::int64_t k = e.sample; !clear; k += direction) {
            if (!f.isJoined(direction < 0 ? k - 1 : k))
                return false;
            const double v = s.at(k + direction);
            if (v * side < 0)
                return false;
            clear = std::fabs(v) > c.zeroLevel;
        }
    }
    return true;
}

void addExtrema(const Curve& c, Findings& f) {
    ExtremumFinder finder(c, f);
    for (const ExtremumFinder::Found& e : finder.find(false)) {
        if (e.pole || e.hole) {
            f.point(e.pole ? PointKind::VerticalAsymptote : PointKind::ExcludedPoint, e.x,
                    e.pole ? kUnknown : e.y);
            f.breaks.push_back({e.x, e.x});
            cutAt(f, c.samples, e.x);
            continue;
        }
        f.point(e.maximum ? PointKind::Maximum : PointKind::Minimum, e.x, e.y);
        f.slopeEnds.push_back({e.x, e.x});
        // It touches 0 here, between two samples.
        if (std::fabs(e.y) <= c.zeroLevel && touches(c, f, e)) {
            f.point(PointKind::DoubleZero, e.x, 0);
            f.signEnds.push_back({e.x, e.x});
        }
    }
    for (const Span& p : finder.plateaus())
        f.slopeEnds.push_back(p);
}

// A flex is a point of its own only away from the extrema and breaks (a
// corner minimum such as abs(x^2-1) at 1 also changes the concavity): the
// nearest of those within a step, if any.
class Neighbours {
  public:
    explicit Neighbours(const Findings& f) {
        for (const StudyPoint& p : f.points)
            if (p.kind == PointKind::Maximum || p.kind == PointKind::Minimum ||
                p.kind == PointKind::VerticalAsymptote || p.kind == PointKind::ExcludedPoint)
                xs_.push_back(p.x);
        for (const Span& b : f.breaks) {
            xs_.push_back(b.from);
            xs_.push_back(b.to);
        }
        std::sort(xs_.begin(), xs_.end());
    }
    std::optional<double> near(double x, double step) const {
        const auto after = std::lower_bound(xs_.begin(), xs_.end(), x);
        std::optional<double> nearest;
        if (after != xs_.end() && *after - x <= step)
            nearest = *after;
        if (after != xs_.begin() && x - *(after - 1) <= step &&
            (!nearest || x - *(after - 1) < *nearest - x))
            nearest = *(after - 1);
        return nearest;
    }

  private:
    std::vector<double> xs_;
};

void addInflections(const Curve& c, Findings& f, InflectionFinder& finder) {
    const std::vector<InflectionFinder::Found> found = finder.find();
    const Neighbours neighbours(f);
    for (const InflectionFinder::Found& i : found) {
        const std::optional<double> other = neighbours.near(i.x, c.scale.step);
        // A change of concavity at a corner ends the concave stretches at
        // the corner itself.
        const double at = other ? *other : i.x;
        f.bendEnds.push_back({at, at});
        if (i.corner || other)
            continue;
        // Where rounding hides the flex around a zero (sin(x) at pi), it
        // is put on the zero, whose x is exact: one point, read the same in
        // both rows.
        const auto zero = std::find_if(f.points.begin(), f.points.end(), [&](const StudyPoint& p) {
            return p.kind == PointKind::Zero && i.within.first <= p.x && p.x <= i.within.second;
        });
        if (zero != f.points.end())
            f.point(PointKind::Inflection, zero->x, 0);
        else
            f.point(PointKind::Inflection, i.x, i.y);
    }
}

void sortPoints(std::vector<StudyPoint>& points, double width) {
    std::stable_sort(points.begin(), points.end(), [](const StudyPoint& a, const StudyPoint& b) {
        if (a.x != b.x)
            return a.x < b.x;
        return a.kind < b.kind;
    });
    // One fact found twice (a zero at the end of the domain is also the
    // sample nearest 0 there) is listed once.
    std::vector<StudyPoint> kept;
    for (const StudyPoint& p : points) {
        const double near = std::max(1e-9 * width, 4 * latticeUnit(p.x));
        bool twice = false;
        for (auto q = kept.rbegin(); q != kept.rend() && p.x - q->x <= near && !twice; ++q)
            twice = q->kind == p.kind && q->other == p.other;
        if (!twice)
            kept.push_back(p);
    }
    points = std::move(kept);
}

} // namespace

FunctionStudy::FunctionStudy() {
    const auto keep = [this](std::string_view m) { message_.assign(m); };
    engine_.setStatusSink(keep);
    otherEngine_.setStatusSink(keep);
}

std::optional<std::string> FunctionStudy::prepare(engine::Engine& engine,
                                                  engine::ReductionSchedule& schedule,
                                                  const std::string& expression, double firstX) {
    message_.clear();
    engine.StopRequested = 0;
    engine.emptyArrays();
    if (!engine.CheckExpression(expression))
        return message_.empty() ? std::string(engine::msg::kBrackets) : message_;
    schedule.record(expression);
    // How an evaluation ends does not depend on x: the first sample tells.
    const engine::Sample first = schedule.run(firstX);
    engine.StopRequested = 0;
    if (first.outcome != engine::SampleOutcome::Normal)
        return message_.empty() ? std::string(engine::msg::kBrackets) : message_;
    return std::nullopt;
}

Study FunctionStudy::study(const std::string& expression, const StudyRange& range,
                           const std::vector<std::string>& others) {
    Study result;
    result.expression = engine::toLowerText(expression);
    if (auto refusal = rangeRefusal(range, maxSamples_)) {
        result.refusal = std::move(refusal);
        return result;
    }
    const double firstX = gridX(range.Xmin, range.Step, 0);
    if (auto refusal = prepare(engine_, schedule_, result.expression, firstX)) {
        result.refusal = std::move(refusal);
        return result;
    }
    const double width = range.Xmax - range.Xmin;
    const double far = std::max({std::fabs(range.Xmin), std::fabs(range.Xmax), width});
    const Scale scale{range.Xmin, range.Xmax, range.Step, width, 1e-16 * far};
    const std::int64_t count = gridCount(range.Xmin, range.Xmax, range.Step);

    const CurveProbe f(schedule_);
    const Samples samples = sampleGrid(f, range.Xmin, range.Step, count);
    const Curve curve{samples, f, scale, 1e-12 * samples.maxAbs};
    Findings findings(count);
    DomainFinder(curve, findings).run();
    addZeros(curve, findings);
    addExtrema(curve, findings);
    InflectionFinder inflections(curve, findings);
    addInflections(curve, findings, inflections);
    if (range.Xmin <= 0 && 0 <= range.Xmax)
        if (const std::optional<double> y = f(0))
            findings.point(PointKind::YIntercept, 0, *y);
    result.intervals = IntervalBuilder(curve, findings, inflections.bends()).build();
    result.points = std::move(findings.points);

    for (const std::string& text : others) {
        const std::string other = engine::toLowerText(text);
        if (prepare(otherEngine_, otherSchedule_, other, firstX))
            continue; // a curve the engine refuses meets nothing
        const CurveProbe g(otherSchedule_);
        const CurveProbe gap(schedule_, &otherSchedule_);
        const Samples apart = difference(samples, sampleGrid(g, range.Xmin, range.Step, count));
        const Curve between{apart, gap, scale, 1e-12 * apart.maxAbs};
        Findings meeting(count);
        for (std::int64_t k = 0; k + 1 < count; ++k)
            meeting.joined[static_cast<std::size_t>(k)] =
                apart.isDefined(k) && apart.isDefined(k + 1);
        std::vector<double> xs;
        for (const ZeroFinder::Event& e : ZeroFinder(between).find()) {
            markNoisy(meeting, e);
            if (e.kind == ZeroFinder::Kind::Crossing || e.kind == ZeroFinder::Kind::Touch)
                xs.push_back(e.x);
            else if (e.kind != ZeroFinder::Kind::Flat)
                meeting.cutAfter(e.after);
        }
        for (const ExtremumFinder::Found& e : ExtremumFinder(between, meeting).find(true))
            if (!e.pole && !e.hole && std::fabs(e.y) <= between.zeroLevel)
                xs.push_back(e.x);
        for (const double x : xs)
            if (const std::optional<double> y = f(x))
                result.points.push_back({PointKind::Intersection, x, *y, other});
    }
    sortPoints(result.points, width);
    return result;
}

} // namespace curvalia::analysis
