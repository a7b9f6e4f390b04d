#include "plot/RangeReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace curvalia::plot {
namespace {

struct RangeCase {
    const char* name;
    RangeTexts texts;
    RangeVerdict verdict;
    PlotRange expected; // compared only for valid readings
};

class RangeReaderTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeReaderTest, ReadsAndJudgesTheFiveTexts) {
    const RangeCase& c = GetParam();
    const RangeReading reading = readRange(c.texts);
    EXPECT_EQ(reading.verdict, c.verdict);
    if (c.verdict != RangeVerdict::Valid)
        return;
    EXPECT_EQ(reading.range.Xmin, c.expected.Xmin);
    EXPECT_EQ(reading.range.Xmax, c.expected.Xmax);
    EXPECT_EQ(reading.range.Ymin, c.expected.Ymin);
    EXPECT_EQ(reading.range.Ymax, c.expected.Ymax);
    EXPECT_EQ(reading.range.Step, c.expected.Step);
}

const RangeCase kCases[] = {
    {"defaults", {}, RangeVerdict::Valid, {-10, 10, -10, 10, 0.01}},
    {"range_values_are_floored",
     {"-0.1", "2.9", "-0.5", "1e1", "0.25"},
     RangeVerdict::Valid,
     {-1, 2, -1, 10, 0.25}},
    {"text_that_is_no_number_counts_as_0",
     {"-10", "10", "-10", "abc", "0.01"},
     RangeVerdict::Valid,
     {-10, 10, -10, 0, 0.01}},
    {"equal_ends_after_the_floor",
     {"0.2", "0.7", "-10", "10", "0.01"},
     RangeVerdict::BadFields,
     {}},
    {"no_number_on_both_y_ends", {"-10", "10", "abc", "abc", "0.01"}, RangeVerdict::BadFields, {}},
    {"overflowing_field", {"-10", "1e400", "-10", "10", "0.01"}, RangeVerdict::BadFields, {}},
    {"overflowing_width", {"-1e308", "1e308", "-10", "10", "1e300"}, RangeVerdict::BadFields, {}},
    {"bad_range_and_bad_step", {"5", "5", "-10", "10", "0"}, RangeVerdict::BadFields, {}},
    {"step_0", {"-10", "10", "-10", "10", "0"}, RangeVerdict::BadStep, {}},
    {"step_with_decimal_comma_reads_as_0",
     {"-10", "10", "-10", "10", "0,5"},
     RangeVerdict::BadStep,
     {}},
    {"negative_step", {"-10", "10", "-10", "10", "-0.01"}, RangeVerdict::BadStep, {}},
    {"infinite_step", {"-10", "10", "-10", "10", "1e400"}, RangeVerdict::BadStep, {}},
    {"step_lost_in_rounding", {"-10", "10", "-10", "10", "1e-20"}, RangeVerdict::BadStep, {}},
    {"step_lost_only_at_large_x",
     {"1e15", "1000000000000010", "-10", "10", "0.01"},
     RangeVerdict::BadStep,
     {}},
    {"step_lost_only_at_the_far_end", {"0", "1e17", "-10", "10", "1"}, RangeVerdict::BadStep, {}},
    {"smallest_steps_that_still_move",
     {"-10", "10", "-10", "10", "1e-15"},
     RangeVerdict::Valid,
     {-10, 10, -10, 10, 1e-15}},
};

INSTANTIATE_TEST_SUITE_P(Texts, RangeReaderTest, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(RefusalText, HintsAtTheDecimalPointOnlyWhenACommaCausedTheRefusal) {
    const std::string hint = "usare il punto come separatore decimale";
    const struct {
        RangeTexts texts;
        std::string status;
    } cases[] = {
        {{"-10", "10", "-10", "10", "0,01"}, "Step non valido: " + hint},
        {{"0,2", "0,7", "-10", "10", "0.01"}, "Campi errati"}, // equal floors either way
        {{"-10", "10", "1,5", "1,5e1", "0.01"}, "Campi errati: " + hint},
        {{"5", "5", "-10", "10", "0,5"}, "Campi errati"}, // the range is wrong, not the step
        {{"-10", "10", "-10", "10", "0"}, "Step non valido"},
        {{"-10", "10", "-10", "10", "-0,5"}, "Step non valido"}, // negative with a point too
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusalText(c.texts, readRange(c.texts).verdict), c.status) << c.status;
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
