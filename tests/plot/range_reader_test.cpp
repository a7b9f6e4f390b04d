// The five texts of the range: how they are read and judged, the note that
// says how each will be read when not as typed, and the zoom and pan that
// write them anew in whole units.
#include "plot/RangeNote.h"
#include "plot/RangeReader.h"
#include "plot/RangeZoom.h"

#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace curvalia::plot {
namespace {

std::vector<double> values(const PlotRange& r) {
    return {r.Xmin, r.Xmax, r.Ymin, r.Ymax, r.Step};
}

struct RangeCase {
    const char* name;
    RangeTexts texts;
    RangeVerdict verdict;
    PlotRange expected = {}; // compared only for valid readings
};

using R = RangeCase;
const auto kValid = RangeVerdict::Valid, kFields = RangeVerdict::BadFields,
           kStep = RangeVerdict::BadStep;
// A zero step, and a wrong range with a wrong step, are the refusal texts' cases below.
const RangeCase kCases[] = {
    R("defaults", {}, kValid, {-10, 10, -10, 10, 0.01}),
    R("floored", {"-0.1", "2.9", "-0.5", "1e1", "0.25"}, kValid, {-1, 2, -1, 10, 0.25}),
    R("no_number_counts_as_0", {"-10", "10", "-10", "abc", "0.01"}, kValid,
      {-10, 10, -10, 0, 0.01}),
    R("equal_ends_after_the_floor", {"0.2", "0.7", "-10", "10", "0.01"}, kFields),
    R("overflowing_field", {"-10", "1e400", "-10", "10", "0.01"}, kFields),
    R("overflowing_width", {"-1e308", "1e308", "-10", "10", "1e300"}, kFields),
    R("negative_step", {"-10", "10", "-10", "10", "-0.01"}, kStep),
    R("infinite_step", {"-10", "10", "-10", "10", "1e400"}, kStep),
    R("step_lost_only_at_the_far_end", {"0", "1e17", "-10", "10", "1"}, kStep),
    R("smallest_step_that_moves", {"-10", "10", "-10", "10", "1e-15"}, kValid,
      {-10, 10, -10, 10, 1e-15}),
};

TEST(RangeReader, ReadsAndJudgesTheFiveTexts) {
    for (const RangeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const RangeReading reading = readRange(c.texts);
        EXPECT_EQ(reading.verdict, c.verdict);
        if (c.verdict == RangeVerdict::Valid) {
            EXPECT_EQ(values(reading.range), values(c.expected));
        }
    }
}

TEST(RefusalText, HintsAtTheDecimalPointOnlyWhenACommaCausedTheRefusal) {
    const std::string hint = ": usare il punto come separatore decimale";
    using T = std::pair<RangeTexts, std::string>;
    for (const auto& [texts, status] :
         {T({"-10", "10", "-10", "10", "0,01"}, "Step non valido" + hint),
          T({"0,2", "0,7", "-10", "10", "0.01"}, "Campi errati"), // equal floors either way
          T({"-10", "10", "1,5", "1,5e1", "0.01"}, "Campi errati" + hint),
          T({"5", "5", "-10", "10", "0,5"}, "Campi errati"), // the range is wrong, not the step
          T({"-10", "10", "-10", "10", "0"}, "Step non valido"),
          T({"-10", "10", "-10", "10", "-0,5"}, "Step non valido")}) // negative with a point too
        EXPECT_EQ(refusalText(texts, readRange(texts).verdict), status) << status;
}

TEST(StepAdvancesAcross, HalfUnitStepsAreJudgedAtBothParities) {
    // At 2^53 the spacing is 2: a step of 1 ties, and rounding to even
    // moves some x and not others.
    const double big = 9007199254740992.0;
    EXPECT_FALSE(stepAdvancesAcross(big - 8, big + 8, 1.0));
    EXPECT_TRUE(stepAdvancesAcross(big - 8, big + 8, 2.0));
}

RangeTexts with(std::string xmin, std::string xmax, std::string ymin = "-10",
                std::string ymax = "10", std::string step = "0.01") {
    return {std::move(xmin), std::move(xmax), std::move(ymin), std::move(ymax), std::move(step)};
}

TEST(RangeNote, SaysHowEachTextIsReadOnlyWhenNotAsTyped) {
    using C = std::pair<RangeTexts, std::string>;
    for (const auto& [texts, note] : ::curvalia::testing::rows(
             // Read as typed: whole numbers, exponents, hexadecimal, blanks around.
             C{with("-10", "10"), ""}, C{with("-1e1", " 20 ", "&h10", "&o20", ".5"), ""},
             // Floored: an axis with both ends together, one end on its own.
             C{with("-0.5", "0.5"), "X da -1 a 0 (arrotondati all'intero inferiore)"},
             C{with("-10", "2.9"), "X max vale 2 (arrotondato all'intero inferiore)"},
             // Decimal commas, not numbers, empty fields, leftovers, overflow.
             C{with("-10", "10", "-10", "10", "1,5"),
               "Step 1: usare il punto come separatore decimale"},
             C{with("-10", "10", "-10", "abc"), "Y max vale 0: non \xC3\xA8 un numero"},
             C{with("-10", "10", "-10", "10", ""), "Step vale 0: campo vuoto"},
             C{with("-10", "12abc"), "X max letto come 12"},
             C{with("-10", "10", "-10", "10", "1.2.3"), "Step letto come 1.2"},
             C{with("-1e999", "10"), "X min: numero troppo grande"},
             // Several fields: one line each, X before Y before the step.
             C{with("a", "0.5", "-10", "10", "0,5"),
               "X min vale 0: non \xC3\xA8 un numero\n"
               "X max vale 0 (arrotondato all'intero inferiore)\n"
               "Step 0: usare il punto come separatore decimale"})) {
        SCOPED_TRACE(texts.xmin + " " + texts.xmax + " " + texts.ymin + " " + texts.ymax + " " +
                     texts.step);
        EXPECT_EQ(rangeNote(texts), note);
    }
}

struct ZoomCase {
    const char* name;
    PlotRange start;
    int notches;
    double fx, fy;
    ZoomOutcome outcome;
    PlotRange expected = {}; // compared when the range changed
};

using Z = ZoomCase;
const auto kChanged = ZoomOutcome::Changed;
const ZoomCase kZoomCases[] = {
    Z("three_in_at_the_centre", {-10, 10, -10, 10, 0.01}, 3, 0.5, 0.5, kChanged,
      {-5, 5, -5, 5, 0.005}),
    Z("in_around_the_upper_left_quarter", {-10, 10, -10, 10, 0.01}, 1, 0.25, 0.25, kChanged,
      {-9, 7, -7, 9, 0.008}),
    Z("far_from_zero", {1e6, 1e6 + 100, 0, 10, 0.1}, 1, 0.5, 0.5, kChanged,
      {1e6 + 10, 1e6 + 90, 1, 9, 0.08}),
    Z("all_negative_out", {-50, -30, -20, -10, 0.01}, -1, 0.5, 0.5, kChanged,
      {-53, -28, -22, -9, 0.0125}),
    Z("one_unit_wide_in", {0, 1, 0, 1, 0.01}, 1, 0.5, 0.5, ZoomOutcome::Narrowest),
    Z("x_stays_one_unit_while_y_narrows", {0, 1, 0, 10, 0.01}, 1, 0.5, 0.5, kChanged,
      {0, 1, 1, 9, 0.01}),
    Z("out_past_two_million_samples", {-10, 10, -10, 10, 0.000005}, -1, 0.5, 0.5,
      ZoomOutcome::Widest),
    Z("out_past_the_largest_double", {-8e307, 8e307, -10, 10, 1e305}, -1, 0.5, 0.5,
      ZoomOutcome::Widest),
};

TEST(RangeZoom, ZoomsByWholeUnitsAroundTheAnchor) {
    for (const ZoomCase& c : kZoomCases) {
        SCOPED_TRACE(c.name);
        RangeZoom zoom;
        zoom.start(c.start);
        EXPECT_EQ(zoom.zoom(c.notches, c.fx, c.fy), c.outcome);
        EXPECT_EQ(values(zoom.shown()), values(c.outcome == kChanged ? c.expected : c.start));
        // What is written into the fields reads back as the same range.
        EXPECT_EQ(values(readRange(rangeTextsOf(zoom.shown())).range), values(zoom.shown()));
    }
}

TEST(RangeZoom, NotchesInThenAsManyOutGiveBackTheStartExactly) {
    struct Start {
        PlotRange range;
        double fx, fy;
    };
    for (const Start& s :
         {Start{{-10, 10, -10, 10, 0.01}, 0.37, 0.81}, Start{{-3, 4, 100, 101, 0.003}, 0.9, 0.1},
          Start{{123456789, 123456800, -7, 3, 0.5}, 0.01, 0.99},
          Start{{-1e15, 1e15, -1e15, 1e15, 1e10}, 0.6, 0.3}}) {
        for (int n = 1; n <= 14; ++n) {
            SCOPED_TRACE(::testing::Message() << s.range.Xmin << " n=" << n);
            RangeZoom zoom;
            zoom.start(s.range);
            zoom.pan(2, -1); // starts from a panned range, not a fresh one
            const PlotRange before = zoom.shown();
            // Past one unit each way a notch in changes nothing, and counts not.
            int in = 0;
            for (int i = 0; i < n; ++i)
                in += zoom.zoom(1, s.fx, s.fy) == ZoomOutcome::Changed;
            for (int i = 0; i < in; ++i)
                zoom.zoom(-1, s.fx, s.fy);
            EXPECT_EQ(values(zoom.shown()), values(before));
        }
    }
}

TEST(RangeZoom, PansByWholeUnitsAndRefusesARangeTheDrawWouldRefuse) {
    RangeZoom zoom;
    zoom.start({0, 20, -5, 5, 0.001});
    EXPECT_EQ(zoom.pan(3, -2), ZoomOutcome::Changed);
    EXPECT_EQ(values(zoom.shown()), (std::vector<double>{3, 23, -7, 3, 0.001}));
    // So far out the step no longer moves x: the range stays as it was.
    EXPECT_EQ(zoom.pan(1e14, 0), ZoomOutcome::Refused);
    EXPECT_EQ(values(zoom.shown()), (std::vector<double>{3, 23, -7, 3, 0.001}));
}

} // namespace
} // namespace curvalia::plot
