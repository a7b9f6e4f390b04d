#include "plot/AxesRenderer.h"
#include "plot/DrawCommand.h"

#include "draw_rig_support.h"
#include "engine/Engine.h"
#include "plot/Palette.h"
#include "plot/PlotMessages.h"
#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

namespace curvalia::plot {
namespace {

using testing::RecordingSurface;

struct Rig : testing::DrawRig {
    void draw(const char* expression, const RangeTexts& texts, bool f = true, bool d = false) {
        host.expression = expression;
        host.texts = texts;
        host.drawFunction = f;
        host.drawDerivative = d;
        command.run();
    }
};

// The last colour of every pixel (15 twips) set since `from`, as a screen
// would show it: the calls differ between two ways to the same picture.
using Raster = std::map<std::pair<long, long>, int>;
Raster rasterOf(const RecordingSurface& s, size_t from = 0) {
    Raster out;
    for (size_t i = from; i < s.calls.size(); ++i) {
        const testing::Point& c = s.calls[i];
        if (c.colour == RecordingSurface::kCls)
            out.clear();
        else if (c.colour >= 0)
            out[{std::lround(c.x / 15), std::lround(c.y / 15)}] = c.colour;
    }
    return out;
}

// How many pixels differ; with curvesOnly, a pixel of the axes in either
// agrees.
size_t differing(Raster a, Raster b, bool curvesOnly = false) {
    for (const auto& [key, colour] : a)
        b.try_emplace(key, -1);
    size_t count = 0;
    for (const auto& [key, colour] : b) {
        const int other = a.try_emplace(key, -1).first->second;
        const bool axes = curvesOnly && (colour == kAxesColour || other == kAxesColour);
        count += colour != other && !axes;
    }
    return count;
}

const RangeTexts kA = {"-2", "2", "-2", "2", "0.05"};
const RangeTexts kB = {"0", "5", "-3", "3", "0.05"};
const RangeTexts kBadFields = {"5", "0", "-3", "3", "0.05"};

// d: draw; s: draw and press stop at the index-th yield from "Tracciamento"
// on (1: before the first sample), recolouring at the second; k: toggle
// "Non Cancellare"; h, r: hide, remove the curve at index, then redraw as
// the list of functions does.
struct Act {
    char kind;
    const char* expression = "";
    RangeTexts texts = kA;
    bool f = true, d = false;
    size_t index = 0;
};
Act draw(const char* e, RangeTexts t = kA, bool f = true, bool d = false) {
    return {'d', e, t, f, d};
}
Act stop(const char* e, RangeTexts t, size_t at) {
    return {'s', e, t, true, false, at};
}
const Act keep{'k'};

std::string describe(const Curve& c) {
    return c.expression + ' ' + (c.function ? "f" : "") + (c.derivative ? "d" : "") + ' ' +
           std::to_string(c.colour) + (c.visible ? "" : " hidden");
}

void play(Rig& rig, const Act& a) {
    if (a.kind == 'k') {
        rig.switches.ClearBeforePlot = rig.switches.ClearBeforePlot == kTrue ? kFalse : kTrue;
    } else if (a.kind == 'h' || a.kind == 'r') {
        if (a.kind == 'h')
            rig.model.edit(a.index).visible = false;
        else
            rig.model.remove(a.index);
        rig.command.redraw(*rig.model.view());
    } else {
        rig.switches.YieldEachSample = a.kind == 's' ? kTrue : kFalse;
        rig.host.onYield = [&rig, a, yields = size_t{0}]() mutable {
            if (a.kind != 's' || rig.host.lastStatus() != msg::kSweeping)
                return;
            if (++yields == 2)
                rig.switches.CurveColor = 14;
            if (yields == a.index)
                rig.command.requestStop();
        };
        rig.draw(a.expression, a.texts, a.f, a.d);
    }
}

struct SequenceCase {
    const char* name;
    std::vector<Act> acts;
    std::vector<std::string> model;
};
using C = SequenceCase;

const std::vector<SequenceCase> kSequences = ::curvalia::testing::rows(
    C("clear_keeps_only_the_last", {draw("sin(x)"), draw("cos(x)")}, {"cos(x) f 10"}),
    C("keep_same_range", {draw("sin(x)"), keep, draw("cos(x)", kA, true, true)},
      {"sin(x) f 10", "cos(x) fd 10"}),
    C("keep_other_range", {draw("sin(x)"), keep, draw("cos(x)", kB, true, true)},
      {"sin(x) f 10", "cos(x) fd 10"}),
    C("same_expression_lower_cased_moves_to_the_end",
      {draw("sin(x)"), keep, draw("cos(x)"), draw("SIN(X)", kB, false, true)},
      {"cos(x) f 10", "sin(x) d 10"}),
    C("bad_fields_with_clear", {draw("sin(x)"), draw("cos(x)", kBadFields)}, {}),
    C("bad_fields_with_keep", {draw("sin(x)"), keep, draw("cos(x)", kBadFields)}, {"sin(x) f 10"}),
    // A step that cannot sweep the kept curves at the new range changes nothing.
    C("refused_step_at_another_range",
      {draw("sin(x)"), keep, draw("cos(x)", {"0", "5", "-3", "3", "-0.05"})}, {"sin(x) f 10"}),
    C("checker_refusal", {draw("sin(x)"), keep, draw("cos(x", kB)}, {"sin(x) f 10"}),
    C("empty_expression", {draw("sin(x)"), keep, draw("", kB)}, {"sin(x) f 10"}),
    C("evaluator_stop_at_the_first_sample", {draw("sin(x)"), keep, draw("2x", kB)},
      {"sin(x) f 10"}),
    C("stopped_sweep_kept_and_later_drawn_whole", {stop("sin(x)", kA, 3), keep, draw("cos(x)", kB)},
      {"sin(x) f 14", "cos(x) f 14"}),
    C("both_switches_off", {draw("sin(x)"), keep, draw("cos(x)", kB, false)}, {"sin(x) f 10"}),
    C("both_switches_off_same_expression", {draw("sin(x)"), keep, draw("sin(x)", kB, false)},
      {"sin(x) f 10"}),
    // Its old points went with the clearing: the model cannot keep it.
    C("stop_before_the_sweep_of_the_same_expression",
      {draw("sin(x)"), keep, draw("cos(x)"), stop("sin(x)", kB, 1)}, {"cos(x) f 10"}),
    C("hidden_kept_but_not_drawn",
      {draw("sin(x)"), keep, draw("cos(x)"), Act{.kind = 'h', .index = 0}, draw("x", kB)},
      {"sin(x) f 10 hidden", "cos(x) f 10", "x f 10"}),
    C("removed",
      {draw("sin(x)"), keep, draw("cos(x)"), Act{.kind = 'r', .index = 0}, draw("x", kB)},
      {"cos(x) f 10", "x f 10"}),
    C("clear_again", {draw("sin(x)"), keep, draw("cos(x)", kB), keep, draw("x")}, {"x f 10"}));

TEST(PlotModel, HoldsWhatTheDrawsLeftOnThePlot) {
    for (const SequenceCase& c : kSequences) {
        SCOPED_TRACE(c.name);
        Rig rig;
        for (const Act& a : c.acts)
            play(rig, a);
        std::vector<std::string> model;
        for (const Curve& curve : rig.model.curves())
            model.push_back(describe(curve));
        EXPECT_EQ(model, c.model);
        // The plot shows the model's curves, neither more nor fewer: what a
        // redraw from the model would show.
        const Raster shown = rasterOf(rig.graph);
        const size_t from = rig.graph.calls.size();
        rig.command.redraw(*rig.model.view());
        ASSERT_GT(rig.graph.calls.size(), from);
        EXPECT_EQ(differing(shown, rasterOf(rig.graph, from), true), 0u);
    }
}

const RangeTexts kWide = {"-10", "10", "-10", "10", "0.01"};
const RangeTexts kNarrow = {"0", "5", "-3", "3", "0.01"};
const PlotRange kNarrowRange{0, 5, -3, 3, 0.01};

// Three curves, the later ones in another colour, on "Non Cancellare".
void drawThree(Rig& rig, const RangeTexts& first, const RangeTexts& rest) {
    rig.switches.GridOn = kTrue;
    rig.draw("sin(x)", first, true, true);
    rig.switches.ClearBeforePlot = kFalse;
    rig.switches.CurveColor = 14;
    rig.draw("cos(x)", rest);
    rig.draw("x/2", rest);
}

TEST(KeptCurves, AtANewRangeLookAsIfDrawnThere) {
    Rig moved, fresh;
    drawThree(moved, kWide, kNarrow);
    drawThree(fresh, kNarrow, kNarrow);
    const Raster picture = rasterOf(fresh.graph);
    ASSERT_GT(picture.size(), 1000u);
    EXPECT_EQ(differing(rasterOf(moved.graph), picture), 0u);
}

TEST(KeptCurves, RedrawAtAViewIsTheUsersSequenceThere) {
    Rig rig, fresh;
    drawThree(rig, kWide, kWide);
    drawThree(fresh, kNarrow, kNarrow);
    const auto statuses = rig.host.statuses;
    const auto inputs = rig.host.enabledHistory;
    for (const std::int16_t stop : {std::int16_t{0}, kTrue}) {
        rig.engine.StopRequested = stop;
        const size_t from = rig.graph.calls.size();
        rig.command.redraw(kNarrowRange);
        EXPECT_EQ(differing(rasterOf(rig.graph, from), rasterOf(fresh.graph)), 0u);
        EXPECT_EQ(rig.engine.StopRequested, stop);
    }
    EXPECT_EQ(rig.model.view()->Xmax, 5);
    // A curve that the evaluator gives up on says nothing and stops nothing.
    Curve refused;
    refused.expression = "2x";
    rig.model.enter(refused);
    rig.engine.StopRequested = 0;
    rig.command.redraw(kNarrowRange);
    EXPECT_EQ(rig.engine.StopRequested, 0);
    EXPECT_EQ(rig.host.statuses, statuses);
    EXPECT_EQ(rig.host.enabledHistory, inputs);
}

TEST(KeptCurves, RedrawWaitsForTheRunningDraw) {
    Rig rig;
    rig.host.onYield = [&] { rig.command.redraw(kNarrowRange); };
    rig.draw("x", kWide);
    EXPECT_EQ(rig.model.view()->Xmax, 10);
    EXPECT_EQ(rig.graph.points(RecordingSurface::kCls, false).size(), 1u);
}

TEST(FrameOf, IsTheFrameTheAxesPublish) {
    const double ranges[][4] = {
        {-10, 10, -10, 10},     {-10, 10, -10, 0},         {-10, 10, 0, 10}, {-10, 10, 1, 10},
        {-10, 10, -10, -1},     {-10, 0, -10, 10},         {2, 12, -10, 10}, {0, 9, -10, 10},
        {0.5, 2.25, -0.3, 0.7}, {-1e306, 1e306, -1e308, 0}};
    for (const auto& r : ranges) {
        RecordingSurface graph;
        const PlotFrame a = DrawAxes(graph, r[0], r[1], r[2], r[3], kFalse);
        const PlotFrame b = frameOf(r[0], r[1], r[2], r[3]);
        EXPECT_TRUE(a.Xmin == b.Xmin && a.Ymax == b.Ymax && a.RangeX == b.RangeX &&
                    a.RangeY == b.RangeY && a.AxisY == b.AxisY)
            << r[0] << ' ' << r[1] << ' ' << r[2] << ' ' << r[3];
    }
}

} // namespace
} // namespace curvalia::plot
