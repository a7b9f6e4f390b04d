#include "draw_rig_support.h"
#include "engine/ReductionSchedule.h"
#include "plot/Palette.h"
#include "plot/PlotFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace curvalia::plot {
namespace {

using testing::Segment;

struct LinesRig : testing::DrawRig {
    LinesRig(const char* expression, const RangeTexts& texts, bool lines, bool derivative = false,
             int thickness = 1) {
        host.expression = expression;
        host.texts = texts;
        host.drawDerivative = derivative;
        Appearance look;
        look.continuousLines = lines;
        look.thickness = thickness;
        command.setAppearance(look);
        command.run();
    }
    std::vector<Segment> segments(int colour) const {
        std::vector<Segment> out;
        for (const Segment& s : graph.lines)
            if (s.colour == colour)
                out.push_back(s);
        return out;
    }
};

struct Sampled {
    double x;
    std::optional<double> value;
};

// The curve as the sweep samples it, from the program's own evaluator.
std::vector<Sampled> samplesOf(const char* expression, const PlotRange& range, bool derivative) {
    engine::Engine engine;
    engine.emptyArrays();
    engine::ReductionSchedule schedule(engine);
    schedule.record(expression);
    std::vector<Sampled> out;
    std::optional<std::pair<double, double>> last; // quotients span undefined samples
    for (double x = range.Xmin; x <= range.Xmax; x += range.Step) {
        const engine::Sample s = schedule.run(x);
        std::optional<double> v;
        if (s.defined) {
            v = s.value;
            if (derivative)
                v = last ? std::optional<double>((s.value - last->second) / (x - last->first))
                         : std::nullopt;
            last = std::pair(x, s.value);
        }
        out.push_back({x, v});
    }
    return out;
}

// No segment lies between two samples with a break between them (a segment
// clipped to the view is shorter than its pair); every pair of neighbouring
// samples with no break between them, at most nearPixels apart and not both
// off the same side of the view, has its segment.
void expectJoinedExactly(const std::vector<Segment>& segments, const std::vector<Sampled>& curve,
                         const PlotRange& range, const std::vector<double>& breaks, int span,
                         double nearPixels) {
    const PlotFrame frame = frameOf(range.Xmin, range.Xmax, range.Ymin, range.Ymax);
    std::vector<float> columns;
    for (const Sampled& s : curve)
        columns.push_back(static_cast<float>(frame.column(s.x)));
    std::set<float> starts;
    for (const Segment& s : segments) {
        const auto after = std::upper_bound(columns.begin(), columns.end(), s.x1);
        ASSERT_TRUE(after != columns.begin() && after != columns.end());
        const double a = curve[after - columns.begin() - 1].x, b = curve[after - columns.begin()].x;
        for (const double x : breaks)
            EXPECT_FALSE(a <= x && x <= b) << "across " << x << " from " << a;
        starts.insert(s.x1);
    }
    const auto off = [&](double a, double b) {
        return (a > range.Ymax && b > range.Ymax) || (a < range.Ymin && b < range.Ymin);
    };
    for (std::size_t i = span; i < curve.size(); ++i) {
        const Sampled &p = curve[i - 1], &q = curve[i];
        bool broken = !p.value || !q.value;
        for (const double x : breaks)
            broken = broken || (curve[i - span].x <= x && x <= q.x);
        if (broken || off(*p.value, *q.value) ||
            std::fabs(frame.row(*p.value) - frame.row(*q.value)) > nearPixels * kTwipsPerPixel)
            continue;
        EXPECT_TRUE(starts.count(static_cast<float>(frame.column(p.x))))
            << "missing at x = " << p.x;
    }
}

struct ContinuityCase {
    const char* expression;
    RangeTexts texts;
    std::vector<double> breaks; // poles, and the edges of undefined stretches
    // Pairs this close are joined; smooth curves are joined however far apart.
    double nearPixels = 3;
};

const double kHalfPi = std::acos(-1.0) / 2;
const ContinuityCase kContinuityCases[] = {
    {"tg(x)", {"-5", "5", "-5", "5", "0.01"}, {-3 * kHalfPi, -kHalfPi, kHalfPi, 3 * kHalfPi}},
    {"1/x", {"-2", "2", "-10", "10", "0.01"}, {0}},
    {"(x^2-4)/(x-1)", {"-5", "5", "-20", "20", "0.01"}, {1}},
    {"lgn(x)", {"-1", "2", "-8", "2", "0.001"}, {0}},
    {"x^9", {"-3", "3", "-20000", "20000", "0.01"}, {}},
    // The step is a power of two, so that the sweep meets 0 itself.
    {"sin(1/x)", {"-1", "1", "-1.5", "1.5", "0.0009765625"}, {0}},
    // Undefined only between two samples of the same value, on either side.
    {"lgn((x-0.005)^2-0.00001)", {"-1", "1", "-15", "5", "0.01"}, {0.0018377, 0.0081623}},
    // Samples 22 pixels apart: joined after halving the pairs.
    {"sin(x)", {"-10", "10", "-1.5", "1.5", "1"}, {}, 1e9},
    {"x^9", {"-3", "3", "-20000", "20000", "0.05"}, {}, 1e9},
};

TEST(CurveLines, JoinOnlyWhereTheFunctionIsContinuous) {
    for (const ContinuityCase& c : kContinuityCases) {
        SCOPED_TRACE(c.expression);
        const LinesRig rig(c.expression, c.texts, true, true);
        const PlotRange range = readRange(c.texts).range;
        const auto f = rig.segments(rig.switches.CurveColor);
        EXPECT_GT(f.size(), 10u);
        expectJoinedExactly(f, samplesOf(c.expression, range, false), range, c.breaks, 1,
                            c.nearPixels);
        // f' over the pair (i-1, i) needs f joined over (i-2, i-1) as well.
        expectJoinedExactly(rig.segments(kDerivativeColour), samplesOf(c.expression, range, true),
                            range, c.breaks, 2, c.nearPixels);
    }
}

TEST(CurveLines, OffDrawsTodaysDotsAndOnlyAddsSegments) {
    for (const char* expression : {"tg(x)", "x^3-3*x", "lge(x)"}) {
        SCOPED_TRACE(expression);
        const RangeTexts texts{"-4", "4", "-3", "3", "0.01"};
        const LinesRig off(expression, texts, false, true), on(expression, texts, true, true);
        EXPECT_TRUE(off.graph.lines.empty());
        EXPECT_FALSE(on.graph.lines.empty());
        EXPECT_EQ(on.graph.calls, off.graph.calls);
        EXPECT_EQ(on.bar.calls, off.bar.calls);
        EXPECT_EQ(on.host.statuses, off.host.statuses);
    }
}

TEST(CurveLines, ThicknessAndRedrawsKeepTheSegments) {
    LinesRig rig("sin(x)", {"-10", "10", "-2", "2", "0.01"}, true, false, 3);
    ASSERT_FALSE(rig.graph.lines.empty());
    for (const Segment& s : rig.graph.lines)
        ASSERT_EQ(s.width, 3);
    // A page drawn from the model has the same segments.
    testing::RecordingSurface page;
    rig.command.drawModelOn(page, *rig.command.publishedRange());
    ASSERT_EQ(page.lines.size(), rig.graph.lines.size());
    for (std::size_t i = 0; i < page.lines.size(); ++i)
        EXPECT_EQ(page.lines[i].x2, rig.graph.lines[i].x2);
}

} // namespace
} // namespace curvalia::plot
