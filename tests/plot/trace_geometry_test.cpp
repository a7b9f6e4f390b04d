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

TEST(SweepSamples, GivesTheSweepsOwnXAndTheNearestSampleToAColumn) {
    struct Case {
        const char* name;
        double xmin, xmax, step;
        double column;
        double expectedX; // within 1e-9 of the exact sample
    };
    for (const Case& c : {Case{"defaults_centre", -10, 10, 0.01, 3337.5, 0},
                          Case{"defaults_left_edge", -10, 10, 0.01, -500, -10},
                          Case{"defaults_past_the_right", -10, 10, 0.01, 9000, 10},
                          Case{"coarse_step_rounds_to_nearest", 0, 10, 3, 2500, 3},
                          Case{"fine_step_far_out", 1000, 1001, 0.0001, 6675.0 / 4, 1000.25}}) {
        SCOPED_TRACE(c.name);
        // The sweep's own loop, with its accumulated x.
        std::vector<double> swept;
        for (double x = c.xmin; x <= c.xmax; x += c.step)
            swept.push_back(x);
        const SweepSamples samples(c.xmin, c.step, static_cast<std::int64_t>(swept.size()));
        for (const std::size_t i : {std::size_t{0}, swept.size() / 3, swept.size() - 1})
            EXPECT_EQ(samples.x(static_cast<std::int64_t>(i)), swept[i]); // bit for bit

        const PlotFrame frame = frameOf(c.xmin, c.xmax, -1, 1);
        const std::int64_t chosen = samples.nearest(frame, c.column);
        EXPECT_NEAR(samples.x(chosen), c.expectedX, 1e-9);
        // No sample lies nearer to the column than the chosen one.
        const double distance = std::abs(frame.column(swept[chosen]) - c.column);
        for (const double x : swept)
            ASSERT_GE(std::abs(frame.column(x) - c.column), distance);
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
