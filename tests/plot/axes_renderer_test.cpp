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

// Views with a non-whole end: ticks on the multiples of a round step within
// the range, found again by mapping them back; never more than one a pixel;
// grid dots on every tick column and tick row.
TEST(Axes, NonWholeViewsPutTicksOnMultiplesOfARoundStep) {
    struct Axis {
        double low, high;
        double step, first, last; // between ticks, and the first and last in drawing order
        size_t ticks;
    };
    const struct {
        const char* name;
        Axis x, y;
    } cases[] = {
        {"narrow", {0.7, 0.85, 0.02, 0.7, 0.84, 8}, {0.05, 0.7, 0.1, 0.7, 0.1, 7}},
        {"one_whole_unit", {-3.3, 7.1, 1, -3, 7, 11}, {-0.5, 0.5, 0.1, 0.5, -0.5, 11}},
        {"far_from_0",
         {1e6 + 0.125, 1e6 + 0.25, 0.02, 1e6 + 0.14, 1e6 + 0.24, 6},
         {0, 1, 1, 1, 0, 2}},
        {"a_billionth_wide",
         {-5e-10, 5e-10, 1e-10, -5e-10, 5e-10, 11},
         {1.25, 1.25 + 2.2e-9, 5e-10, 1.25 + 2e-9, 1.25, 5}},
        {"a_quadrillion_wide",
         {-0.5, 1e15 + 0.5, 2247191011236, 0, 444 * 2247191011236.0, 445},
         {-1e15 + 0.5, 1e15, 6472491909386, 154 * 6472491909386.0, -154 * 6472491909386.0, 309}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tickStep(c.x.low, c.x.high), std::min(c.x.step, 1.0));
        RecordingSurface graph;
        const PlotFrame f = DrawAxes(graph, c.x.low, c.x.high, c.y.low, c.y.high, kTrue);
        const auto runs = runsOf(graph);
        std::vector<double> columns, rows, xs, ys; // twips, and the values they map back to
        for (const Point& p : runs[1])
            columns.push_back(p.x), xs.push_back(f.xAt(p.x));
        for (const Point& p : runs[3])
            rows.push_back(p.y), ys.push_back(f.valueAt(p.y));
        for (const auto& [a, at, values] : {std::tie(c.x, columns, xs), std::tie(c.y, rows, ys)}) {
            ASSERT_EQ(values.size(), a.ticks);
            const double near = (a.high - a.low) * 1e-6; // the points are floats
            EXPECT_NEAR(values.front(), a.first, near);
            EXPECT_NEAR(values.back(), a.last, near);
            for (size_t i = 1; i < values.size(); ++i) {
                EXPECT_GE(at[i] - at[i - 1], kTwipsPerPixel - 0.01);
                EXPECT_NEAR(std::abs(values[i] - values[i - 1]), a.step, near);
            }
        }
        const std::vector<Point>& grid = runs[4];
        ASSERT_EQ(grid.size(), columns.size() * rows.size());
        for (size_t i = 0; i < grid.size(); ++i)
            ASSERT_EQ(grid[i], (Point{float(columns[i / rows.size()]), float(rows[i % rows.size()]),
                                      kAxesColour}));
    }
}

} // namespace
} // namespace curvalia::plot
