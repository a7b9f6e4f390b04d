#include "draw_rig_support.h"
#include "engine/ReductionSchedule.h"
#include "plot/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

namespace curvalia::plot {
namespace {

using testing::Segment;

struct LinesRig : testing::DrawRig {
    LinesRig(const char* expression, const RangeTexts& texts, bool lines, int thickness = 1) {
        host.expression = expression;
        host.texts = texts;
        host.drawDerivative = true;
        Appearance look;
        look.thickness = thickness;
        look.continuousLines = lines;
        command.setAppearance(look);
        command.run();
    }
};

// The values the sweep draws, f or its difference quotients (which span
// undefined samples), from the program's own evaluator; none where undefined.
std::vector<std::optional<double>> valuesOf(const char* expression, const PlotRange& range,
                                            bool derivative) {
    engine::Engine engine;
    engine.emptyArrays();
    engine::ReductionSchedule schedule(engine);
    schedule.record(expression);
    std::vector<std::optional<double>> out;
    std::optional<double> lastX, lastY;
    for (double x = range.Xmin; x <= range.Xmax; x += range.Step) {
        const engine::Sample s = schedule.run(x);
        out.emplace_back();
        if (s.defined && (!derivative || lastX))
            out.back() = derivative ? (s.value - *lastY) / (x - *lastX) : s.value;
        if (s.defined)
            lastX = x, lastY = s.value;
    }
    return out;
}

// No segment lies between samples with a break between them (a clipped
// segment is shorter than its pair); every pair with no break, at most
// nearPixels apart and not both off one side of the view, has its segment.
// A pair of f' also needs f's pair before it (span 2).
void expectJoinedExactly(const std::vector<Segment>& segments, int colour,
                         const std::vector<std::optional<double>>& values, const PlotRange& range,
                         const std::vector<double>& breaks, int span, double nearPixels) {
    const PlotFrame frame = frameOf(range.Xmin, range.Xmax, range.Ymin, range.Ymax);
    std::vector<double> xs;
    std::vector<float> columns;
    for (double x = range.Xmin; x <= range.Xmax; x += range.Step) {
        xs.push_back(x);
        columns.push_back(static_cast<float>(frame.column(x)));
    }
    const auto broken = [&](std::size_t from, std::size_t to) {
        return std::any_of(breaks.begin(), breaks.end(),
                           [&](double b) { return xs[from] <= b && b <= xs[to]; });
    };
    std::set<float> starts;
    for (const Segment& s : segments) {
        if (s.colour != colour)
            continue;
        const std::size_t i =
            std::upper_bound(columns.begin(), columns.end(), s.x1) - columns.begin();
        ASSERT_TRUE(i > 0 && i < xs.size());
        EXPECT_FALSE(broken(i - 1, i)) << "across a break from " << xs[i - 1];
        starts.insert(s.x1);
    }
    for (std::size_t i = span; i < xs.size(); ++i) {
        const auto &p = values[i - 1], &q = values[i];
        if (!p || !q || broken(i - span, i) || (*p > range.Ymax && *q > range.Ymax) ||
            (*p < range.Ymin && *q < range.Ymin) ||
            std::fabs(frame.row(*p) - frame.row(*q)) > nearPixels * kTwipsPerPixel)
            continue;
        EXPECT_TRUE(starts.count(columns[i - 1])) << "missing at x = " << xs[i - 1];
    }
}

const double kHalfPi = std::acos(-1.0) / 2;
const struct {
    const char* expression;
    RangeTexts texts;
    std::vector<double> breaks; // poles, and the edges of undefined stretches
    double nearPixels = 3;      // smooth curves are joined however far apart
} kContinuityCases[] = {
    {"tg(x)", {"-5", "5", "-5", "5", "0.01"}, {-3 * kHalfPi, -kHalfPi, kHalfPi, 3 * kHalfPi}},
    {"1/x", {"-2", "2", "-10", "10", "0.01"}, {0}},
    {"(x^2-4)/(x-1)", {"-5", "5", "-20", "20", "0.01"}, {1}},
    {"lgn(x)", {"-1", "2", "-8", "2", "0.001"}, {0}},
    // Undefined only between two samples of the same value.
    {"lgn((x-0.005)^2-0.00001)", {"-1", "1", "-15", "5", "0.01"}, {0.0018377, 0.0081623}},
    {"sin(1/x)", {"-1", "1", "-2", "2", "0.0009765625"}, {0}}, // the sweep meets 0 itself
    {"x^9", {"-3", "3", "-20000", "20000", "0.01"}, {}},
    // Samples far apart: joined after halving the pairs.
    {"sin(x)", {"-10", "10", "-2", "2", "1"}, {}, 1e9},
    {"x^9", {"-3", "3", "-20000", "20000", "0.05"}, {}, 1e9},
};

TEST(CurveLines, JoinOnlyWhereTheFunctionIsContinuousAndFPrimeFollowsF) {
    for (const auto& c : kContinuityCases) {
        SCOPED_TRACE(c.expression);
        const LinesRig rig(c.expression, c.texts, true);
        const PlotRange range = readRange(c.texts).range;
        EXPECT_GT(rig.graph.lines.size(), 20u);
        expectJoinedExactly(rig.graph.lines, rig.switches.CurveColor,
                            valuesOf(c.expression, range, false), range, c.breaks, 1, c.nearPixels);
        expectJoinedExactly(rig.graph.lines, kDerivativeColour, valuesOf(c.expression, range, true),
                            range, c.breaks, 2, c.nearPixels);
    }
}

// Off, nothing changes; on, the dots, the progress and the status line stay
// as they are, the segments have the pen's width and a page drawn from the
// model has the same segments.
TEST(CurveLines, AddOnlySegmentsOfThePensWidth) {
    for (const char* expression : {"tg(x)", "x^3-3*x", "lge(x)"}) {
        SCOPED_TRACE(expression);
        const RangeTexts texts{"-4", "4", "-3", "3", "0.01"};
        const LinesRig off(expression, texts, false), dots(expression, texts, false, 3);
        LinesRig on(expression, texts, true, 3);
        EXPECT_TRUE(off.graph.lines.empty());
        EXPECT_EQ(on.graph.calls, dots.graph.calls);
        EXPECT_EQ(on.bar.calls, off.bar.calls);
        EXPECT_EQ(on.host.statuses, off.host.statuses);
        ASSERT_FALSE(on.graph.lines.empty());
        EXPECT_TRUE(std::all_of(on.graph.lines.begin(), on.graph.lines.end(),
                                [](const Segment& s) { return s.width == 3; }));
        testing::RecordingSurface page;
        on.command.drawModelOn(page, *on.command.publishedRange());
        ASSERT_EQ(page.lines.size(), on.graph.lines.size());
        EXPECT_EQ(page.lines.back().x1, on.graph.lines.back().x1);
    }
}

} // namespace
} // namespace curvalia::plot
