// The five texts of the range: how they are read and judged, the note that
// says how each will be read when not as typed, and the zoom and pan that
// write them anew in whole units.
#include "plot/RangeNote.h"
#include "plot/RangeReader.h"

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

} // namespace
} // namespace curvalia::plot
