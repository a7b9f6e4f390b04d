#include "plot/AxesRenderer.h"

#include "plot/Palette.h"
#include "plot/PlotSettings.h"
#include "recording_surface_support.h"

#include <gtest/gtest.h>

namespace curvalia::plot {
namespace {

using testing::Point;
using testing::RecordingSurface;

// The renderer's points split at its pen-width changes: x axis line, x
// ticks (width 2), y axis line, y ticks (width 2), grid.
std::vector<std::vector<Point>> runsOf(const RecordingSurface& s) {
    std::vector<std::vector<Point>> runs(1);
    std::vector<float> widths;
    for (const Point& c : s.calls) {
        if (c.colour == RecordingSurface::kWidth) {
            runs.emplace_back();
            widths.push_back(c.x);
        } else {
            EXPECT_EQ(c.colour, kAxesColour);
            runs.back().push_back(c);
        }
    }
    EXPECT_EQ(widths, (std::vector<float>{2, 1, 2, 1}));
    return runs;
}

struct AxesCase {
    const char* name;
    double Xmin, Xmax, Ymin, Ymax, AxisY;
    float lineY, tickY, lineX, tickX; // where the x axis and its ticks run, then the y axis
    size_t xTicks, yTicks;
};

const AxesCase kAxesCases[] = {
    {"around_0", -10, 10, -10, 10, 2317.5, 2317.5, 2317.5, 3337.5, 3337.5, 21, 21},
    {"ymax_0_axis_on_top_edge", -10, 10, -10, 0, 4635, 0, 0, 3337.5, 3337.5, 21, 11},
    {"ymin_0_axis_on_bottom_edge", -10, 10, 0, 10, 4635, 4635, 4635, 3337.5, 3337.5, 21, 11},
    {"all_y_positive", -10, 10, 1, 10, 5150, 5150, kBottomTickY, 3337.5, 3337.5, 21, 10},
    {"all_y_negative", -10, 10, -10, -1, -515, 5150, kTopTickY, 3337.5, 3337.5, 21, 10},
    {"xmax_0_ticks_on_left_edge", -10, 0, -10, 10, 2317.5, 2317.5, 2317.5, 6675, kLeftTickX, 11,
     21},
    {"all_x_positive", 2, 12, -10, 10, 2317.5, 2317.5, 2317.5, 8010, kLeftTickX, 11, 21},
    // 6675 / 9 accumulated nine times passes the edge: no tick there.
    {"nine_units_lose_the_edge_tick", 0, 9, -10, 10, 2317.5, 2317.5, 2317.5, 0, kLeftTickX, 9, 21},
};

TEST(Axes, PlacesAxesAndUnitTicks) {
    for (const AxesCase& c : kAxesCases) {
        SCOPED_TRACE(c.name);
        RecordingSurface graph;
        const PlotFrame frame = DrawAxes(graph, c.Xmin, c.Xmax, c.Ymin, c.Ymax, kFalse);
        EXPECT_DOUBLE_EQ(frame.AxisY, c.AxisY);
        const auto runs = runsOf(graph);
        ASSERT_EQ(runs.size(), 5u);
        EXPECT_TRUE(runs[4].empty()); // grid off
        ASSERT_EQ(runs[0].size(), 446u);
        EXPECT_EQ(runs[0].back(), (Point{6675, c.lineY, kAxesColour}));
        ASSERT_EQ(runs[2].size(), 310u);
        EXPECT_EQ(runs[2].back(), (Point{c.lineX, 4635, kAxesColour}));
        ASSERT_EQ(runs[1].size(), c.xTicks);
        for (size_t i = 0; i < c.xTicks; ++i)
            EXPECT_EQ(runs[1][i],
                      (Point{static_cast<float>(i * (6675 / (c.Xmax - c.Xmin))), c.tickY, 7}));
        ASSERT_EQ(runs[3].size(), c.yTicks);
        for (size_t i = 0; i < c.yTicks; ++i)
            EXPECT_EQ(runs[3][i],
                      (Point{c.tickX, static_cast<float>(i * (4635 / (c.Ymax - c.Ymin))), 7}));
    }
}

TEST(AxesGrid, RowsAtTheRoundedSpacingUnderEveryUnitColumn) {
    struct Case {
        double Ymin, Ymax;
        int spacing; // twips between drawn rows
        size_t rows;
    };
    for (const Case& c : {
             Case{-10, 10, 232, 20},   // 231.75: no row left for y = -10
             Case{0, 206, 22, 211},    // 22.5 rounds to even: down
             Case{0, 1, 4635, 2},      // both edges
             Case{-200, 200, 24, 194}, // 11.5875 rounds to 12, thinned to every other row
             Case{-5000, 5000, 0, 0},  // rounds to 0: no rows
         }) {
        RecordingSurface graph;
        DrawAxes(graph, -10, 10, c.Ymin, c.Ymax, kTrue);
        const std::vector<Point> grid = runsOf(graph)[4];
        ASSERT_EQ(grid.size(), 21 * c.rows) << c.Ymax - c.Ymin;
        for (size_t i = 0; i < grid.size(); ++i)
            ASSERT_EQ(grid[i], (Point{static_cast<float>(i / c.rows * 333.75),
                                      static_cast<float>(i % c.rows * c.spacing), 7}));
    }
}

} // namespace
} // namespace curvalia::plot
