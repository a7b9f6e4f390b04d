// Where the trace lands among the samples of a sweep, and the piece of the
// tangent that lies inside the frame.
#include "plot/SweepSamples.h"
#include "plot/TangentLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace curvalia::plot {
namespace {

PlotFrame frameOf(double xmin, double xmax, double ymin, double ymax) {
    return PlotFrame{xmin, ymax, xmax - xmin, ymax - ymin, 0};
}

TEST(SweepSamples, StandsOnTheGridOfTheStepAndFindsTheNearestSampleToAColumn) {
    struct Case {
        const char* name;
        double xmin, xmax, step;
        int decimals;
        double column;
        double expectedX; // exactly
    };
    for (const Case& c : {Case{"defaults_centre", -10, 10, 0.01, 2, 3337.5, 0},
                          Case{"defaults_left_edge", -10, 10, 0.01, 2, -500, -10},
                          Case{"defaults_past_the_right", -10, 10, 0.01, 2, 9000, 10},
                          Case{"coarse_step_rounds_to_nearest", 0, 10, 3, 0, 2500, 3},
                          Case{"three_decimals", -1, 1, 0.025, 3, 6675.0 * 0.5125, 0.025},
                          Case{"where_the_running_sum_drifts", -5, 5, 0.01, 2, 4005, 1},
                          Case{"fine_step_far_out", 1000, 1001, 0.0001, 4, 6675.0 / 4, 1000.25}}) {
        SCOPED_TRACE(c.name);
        const auto count = static_cast<std::int64_t>(std::floor((c.xmax - c.xmin) / c.step)) + 1;
        const SweepSamples samples(c.xmin, c.step, count);
        EXPECT_EQ(samples.decimals(), c.decimals);
        const PlotFrame frame = frameOf(c.xmin, c.xmax, -1, 1);
        const std::int64_t chosen = samples.nearest(frame, c.column);
        EXPECT_EQ(samples.x(chosen), c.expectedX);
        // Every sample is the decimal Xmin + k * Step, and none lies nearer
        // to the column than the chosen one.
        const double distance = std::abs(frame.column(samples.x(chosen)) - c.column);
        const double scale = std::pow(10.0, c.decimals);
        for (std::int64_t k = 0; k < count; ++k) {
            const double x = samples.x(k);
            ASSERT_EQ(x, std::round((c.xmin + static_cast<double>(k) * c.step) * scale) / scale);
            ASSERT_GE(std::abs(frame.column(x) - c.column), distance);
        }
    }
}

TEST(TangentLine, RunsAlongTheLineFromEdgeToEdgeOfTheFrame) {
    struct Case {
        const char* name;
        PlotFrame frame;
        double x, value, slope;
        bool drawn;
    };
    for (const Case& c :
         {Case{"steep_crosses_top_and_bottom", frameOf(-10, 10, -10, 10), 1, 1, 40, true},
          Case{"flat", frameOf(-10, 10, -10, 10), 3, 9, 0, true},
          Case{"all_negative_range", frameOf(-50, -30, -20, -10), -40, -15, -0.5, true},
          Case{"point_above_the_frame_line_still_crosses", frameOf(-10, 10, -10, 10), 0, 12, -2,
               true},
          Case{"flat_above_the_frame", frameOf(-10, 10, -10, 10), 0, 11, 0, false},
          Case{"x_outside_the_range", frameOf(-10, 10, -10, 10), 10.5, 0, 1, false},
          Case{"undefined_value", frameOf(-10, 10, -10, 10), 0, NAN, 1, false},
          Case{"infinite_slope", frameOf(-10, 10, -10, 10), 0, 0, INFINITY, false}}) {
        SCOPED_TRACE(c.name);
        const auto segment = tangentAcrossFrame(c.frame, c.x, c.value, c.slope);
        ASSERT_EQ(segment.has_value(), c.drawn);
        if (!segment)
            continue;
        for (const auto& [column, row] :
             {std::pair(segment->x1, segment->y1), std::pair(segment->x2, segment->y2)}) {
            // On the line through (x, value) with the slope...
            const double t = c.frame.xAt(column);
            EXPECT_NEAR(c.frame.valueAt(row), c.value + c.slope * (t - c.x), 1e-9);
            // ...and on an edge of the frame.
            const bool onEdge = std::abs(column) < 1e-6 || std::abs(column - PlotWidth) < 1e-6 ||
                                std::abs(row) < 1e-6 || std::abs(row - PlotHeight) < 1e-6;
            EXPECT_TRUE(onEdge) << column << ", " << row;
        }
        EXPECT_LT(segment->x1, segment->x2);
    }
}

} // namespace
} // namespace curvalia::plot
