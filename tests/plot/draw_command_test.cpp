#include "plot/DrawCommand.h"

#include "draw_rig_support.h"
#include "engine/Engine.h"
#include "plot/Palette.h"
#include "plot/PlotMessages.h"
#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace curvalia::plot {
namespace {

using testing::Point;
using testing::RecordingSurface;
using namespace std::chrono_literals;
using Statuses = std::vector<std::string>;

struct Rig : testing::DrawRig {
    size_t repaintedAt = 0;

    Rig(const char* expression, RangeTexts texts = {}) {
        host.expression = expression;
        host.texts = texts;
        host.onRepaint = [this] { repaintedAt = bar.calls.size(); };
    }
    size_t samples() const { return bar.points(kProgressColour, false).size(); }
    // Every way out clears the progress bar, shows that, and gives the inputs back.
    void expectFinished() const {
        EXPECT_EQ(bar.calls.back().colour, RecordingSurface::kCls);
        EXPECT_EQ(repaintedAt, bar.calls.size());
        EXPECT_EQ(host.enabledHistory, (std::vector<bool>{false, true}));
        EXPECT_FALSE(command.busy().busy());
    }
};

struct XY {
    float x, y;
};

void expectPoints(const std::vector<Point>& actual, const std::vector<XY>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-3) << "point " << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-3) << "point " << i;
    }
}

// x from 0 to 2 maps to 3337.5 twips a unit, y from -2 to 2 to 1158.75.
const auto col = [](double x) { return static_cast<float>(3337.5 * x); };
const auto row = [](double v) { return static_cast<float>(1158.75 * (2 - v)); };

struct SweepCase {
    const char* name;
    const char* expression;
    RangeTexts texts;
    std::vector<XY> curve, derivative;
    size_t samples;
};

const RangeTexts kHalf = {"-1", "1", "-2", "2", "0.5"};
using S = SweepCase;
const SweepCase kSweepCases[] = {
    // 4, 3.75 and 3 lie above Ymax: not drawn, yet each is the previous
    // sample of the next quotient, drawn at x = 0.5 and 1.
    S("points_above_the_range_still_count", "4-X*x", {"0", "2", "-2", "2", "0.5"},
      {{col(1.5), row(1.75)}, {col(2), row(0)}}, {{col(0.5), row(-0.5)}, {col(1), row(-1.5)}}, 5),
    // Undefined from -1 to 0: the first quotient waits for the second defined sample.
    S("quotient_starts_at_the_second_defined_sample", "lge(x)+1", kHalf,
      {{5006.25f, row(1 + std::log(0.5))}, {6675, row(1)}}, {{6675, row(-2 * std::log(0.5))}}, 5),
    // Undefined inside: one quotient over the whole gap, from -1 to 1.
    S("quotient_spans_an_undefined_gap", "lge(x*x-0.5)", kHalf,
      {{0, row(std::log(0.5))}, {6675, row(std::log(0.5))}}, {{6675, row(0)}}, 5),
    // Ten additions of 0.7 land just past 7: the end test loses x = 7.
    S("accumulated_x_misses_the_end", "0", {"0", "7", "5", "6", "0.7"}, {}, {}, 10)};

TEST(Sweep, SetsTheExpectedPoints) {
    for (const SweepCase& c : kSweepCases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.expression, c.texts);
        rig.host.drawDerivative = true;
        rig.command.run();
        EXPECT_EQ(rig.host.statuses, (Statuses{msg::kAnalysing, msg::kSweeping, ""}));
        expectPoints(rig.graph.points(10), c.curve);
        expectPoints(rig.graph.points(kDerivativeColour), c.derivative);
        EXPECT_EQ(rig.samples(), c.samples);
        rig.expectFinished();
    }
}

TEST(DrawCommand, DefaultRangeUnderEverySwitch) {
    struct Case {
        std::int16_t clear;
        bool function, derivative;
    };
    for (const Case c :
         {Case(kTrue, true, false), Case(kFalse, true, true), Case(kTrue, false, false)}) {
        Rig rig("x");
        rig.switches.ClearBeforePlot = c.clear;
        rig.host.drawFunction = c.function;
        rig.host.drawDerivative = c.derivative;
        rig.command.run();
        EXPECT_EQ(rig.graph.calls[1].colour == RecordingSurface::kCls, c.clear != kFalse);
        const std::vector<Point> curve = rig.graph.points(10);
        ASSERT_EQ(curve.size(), c.function ? 2001u : 0u);
        EXPECT_EQ(rig.graph.points(kDerivativeColour).size(), c.derivative ? 2000u : 0u);
        EXPECT_EQ(rig.samples(), 2001u);
        // A surface with a bounded record learns what is coming.
        EXPECT_EQ(rig.graph.pointsAnnounced, 2001.0 * (int{c.function} + int{c.derivative}));
    }
}

TEST(DrawCommand, RefusalsStopsAndACloseAtTheFirstYieldDrawNoCurveAndGiveTheInputsBack) {
    struct Case {
        std::string expression;
        RangeTexts texts;
        std::string status;
        bool axes;
        std::function<void(Rig&)> setup = [](Rig&) {};
    };
    const std::string comma = std::string(msg::kBadStep) + msg::kDecimalCommaHint;
    const std::string brackets = engine::msg::kBrackets, badStart = engine::msg::kBadStart,
                      unknown = engine::msg::kUnknownWordPrefix;
    // The range's own reasons are the range reader's: one per status here.
    std::vector<Case> cases{
        Case("x", {"0.2", "0.7", "-10", "10", "0.01"}, msg::kBadFields, false),
        Case("(x+1", {}, engine::msg::kMoreOpen, true),
        Case("x", {"-10", "10", "-10", "10", "-0.01"}, msg::kBadStep, true),
        Case("x", {"-10", "10", "-10", "10", "0,01"}, comma, true),
        Case("x", {}, "", true,
             [](Rig& rig) { // a stop while the axes are drawn
                 rig.host.onYield = [&rig, yields = 0]() mutable {
                     if (++yields == 2)
                         rig.command.requestStop();
                 };
             }),
        // Passes the checker, but leaves two values with no step; the message stays.
        Case("2x", {}, brackets + " (scrivere 2*x)", true,
             [](Rig& rig) { rig.host.drawDerivative = true; }),
        // Nothing to draw: the axes as a guide, and what is missing.
        Case("", {}, engine::msg::kEmptyExpression, true),
        Case(" \t ", {}, engine::msg::kEmptyExpression, true),
        // The described message, then a hint for the usual slips: the first one only.
        Case("EXP(x)", {}, brackets + " (usare e^(...))", true),
        Case("2(x+1)", {}, brackets + " (scrivere 2*(...))", true),
        Case("|x|", {}, unknown + "| (usare abs(...))", true),
        Case("-x^2+3*x", {}, badStart + " (scrivere 0-x^2)", true),
        Case("sinx", {}, unknown + "sin 0 (scrivere sin(x))", true),
        Case("2*tgx+2x", {}, brackets + " (scrivere tg(x))", true),
        Case("3.5sin(x)", {}, brackets + " (scrivere 3.5*sin)", true),
        Case("1e5", {}, brackets, true), // the exponent form is no product
        // The first yield comes before the command clears StopRequested, so the
        // window's own stop would be lost there; a closing window gets no status.
        Case("x", {}, msg::kAnalysing, true,
             [](Rig& rig) { rig.host.onYield = [&rig] { rig.host.closing = true; }; })};
    // A word of another notation: its name in this one.
    using W = std::pair<std::string, std::string>;
    for (const auto& [word, name] : ::curvalia::testing::rows(
             W("sen", "sin"), W("tan", "tg"), W("ln", "lgn"), W("log", "lge o lgn"),
             W("sqrt", "rad(2)(...)"), W("radq", "rad(2)(...)"), W("arcsin", "asin"),
             W("arcsen", "asin"), W("asen", "asin"), W("arccos", "acos"), W("arctan", "atg"),
             W("arctg", "atg"), W("atan", "atg"), W("cot", "1/tg(...)"), W("cotg", "1/tg(...)")))
        cases.push_back(Case(word + "(x)", {}, unknown + word + " (usare " + name + ")", true));
    for (const Case& c : cases) {
        Rig rig(c.expression.c_str(), c.texts);
        c.setup(rig);
        rig.command.run();
        EXPECT_EQ(rig.host.lastStatus(), c.status);
        EXPECT_EQ(rig.samples() + rig.graph.points(10).size() +
                      rig.graph.points(kDerivativeColour).size(),
                  0u);
        EXPECT_EQ(rig.graph.points(kAxesColour).empty(), !c.axes) << c.expression;
        rig.expectFinished();
    }
}

TEST(DrawCommand, StopEndsAfterTheCurrentSampleAndColoursApplyAtOnce) {
    Rig rig("x");
    rig.switches.YieldEachSample = kTrue;
    int sweepYields = 0;
    rig.host.onYield = [&] {
        EXPECT_TRUE(rig.command.busy().busy());
        rig.command.run(); // a second click: ignored
        if (rig.host.lastStatus() != msg::kSweeping)
            return;
        if (++sweepYields == 2)
            rig.switches.CurveColor = 14;
        if (sweepYields == 4)
            rig.command.requestStop();
    };
    rig.command.run();
    EXPECT_EQ(rig.samples(), 3u);
    EXPECT_EQ(rig.graph.points(10).size(), 1u);
    EXPECT_EQ(rig.graph.points(14).size(), 2u);
    EXPECT_EQ(rig.host.statuses, (Statuses{msg::kAnalysing, msg::kSweeping, ""}));
    rig.expectFinished();
}

TEST(DrawCommand, HugeRangesKeepTheirPointsAndAxesInsideTheFrame) {
    // Beyond about 1e304 units PlotWidth * (x - Xmin) overflows although
    // the position itself lies inside the frame.
    struct Case {
        RangeTexts texts;
        size_t samples;
        XY first, last, crossing; // crossing: where the axis lines meet
    };
    for (const Case& c : {Case({"-10", "10", "-1e306", "1e306", "0.01"}, 2001, {0, 2317.5f},
                               {6675, 2317.5f}, {3337.5f, 2317.5f}),
                          Case({"-1e306", "1e306", "-10", "10", "1e305"}, 21, {0, 2317.5f},
                               {6675, 2317.5f}, {3337.5f, 2317.5f}),
                          Case({"-1e308", "0", "0", "1e308", "1e307"}, 11, {0, 4635}, {6675, 4635},
                               {6675, 4635})}) {
        Rig rig("0", c.texts);
        rig.command.run();
        EXPECT_EQ(rig.host.lastStatus(), "");
        const std::vector<Point> curve = rig.graph.points(10);
        ASSERT_EQ(curve.size(), c.samples) << c.texts.xmin;
        expectPoints({curve.front(), curve.back()}, {c.first, c.last});
        const std::vector<Point> axes = rig.graph.points(kAxesColour);
        const auto on = [&](float x, float y) {
            return std::count(axes.begin(), axes.end(), Point{x, y, kAxesColour}) > 0;
        };
        EXPECT_TRUE(on(0, c.crossing.y) && on(c.crossing.x, 0)) << c.texts.xmin;
    }
}

// The policy has its own table; here, that the sweep feeds it every sample:
// slow samples never leave the window unanswered for more than 50 ms. (With
// YieldEachSample the stop test above sees one yield per sample.)
TEST(DrawCommand, YieldsAtLeastEvery50msBetweenSlowSamples) {
    Rig rig("x", {"-10", "10", "-10", "10", "0.1"});
    rig.bar.onPSet = [&] { rig.clock.time += 3ms; };
    std::vector<std::chrono::steady_clock::time_point> yields;
    rig.host.onYield = [&] {
        if (rig.host.lastStatus() == msg::kSweeping)
            yields.push_back(rig.clock.time);
    };
    rig.command.run();
    yields.push_back(rig.clock.time);
    for (size_t i = 1; i < yields.size(); ++i)
        ASSERT_LE(yields[i] - yields[i - 1], 50ms) << "gap " << i;
    EXPECT_LT(yields.size(), rig.samples() / 10); // but not after every sample
}

} // namespace
} // namespace curvalia::plot
