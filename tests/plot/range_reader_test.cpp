#include "plot/RangeReader.h"

#include <gtest/gtest.h>

#include <string>

namespace curvalia::plot {
namespace {

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
            const PlotRange& r = reading.range;
            const PlotRange& e = c.expected;
            EXPECT_EQ(std::vector({r.Xmin, r.Xmax, r.Ymin, r.Ymax, r.Step}),
                      std::vector({e.Xmin, e.Xmax, e.Ymin, e.Ymax, e.Step}));
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

} // namespace
} // namespace curvalia::plot
