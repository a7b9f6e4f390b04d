// The look of a draw: curve dots as wide as the appearance asks, after the
// axes too, and grid lines through every pixel of their rows and columns,
// kept by the record so that a redraw repeats them.
#include "draw_rig_support.h"
#include "plot/AxesRenderer.h"
#include "plot/PointRecord.h"

#include <gtest/gtest.h>

#include <set>

namespace curvalia::plot {
namespace {

using testing::DrawRig;
using testing::RecordingSurface;

// The pen width in force at each point of colour, in order.
std::vector<int> widthsAt(const RecordingSurface& graph, int colour) {
    std::vector<int> out;
    int width = 1;
    for (const testing::Point& c : graph.calls) {
        if (c.colour == RecordingSurface::kWidth)
            width = static_cast<int>(c.x);
        else if (c.colour == colour)
            out.push_back(width);
    }
    return out;
}

TEST(Appearance, CurveDotsTakeTheThicknessInEveryDraw) {
    for (int thickness = Appearance::kMinThickness; thickness <= Appearance::kMaxThickness;
         ++thickness) {
        SCOPED_TRACE(thickness);
        DrawRig rig;
        rig.host.expression = "sin(x)";
        rig.switches.GridOn = kTrue;
        rig.command.setAppearance({.thickness = thickness});
        rig.command.run();
        rig.command.redraw(*rig.model.view());
        RecordingSurface page;
        rig.command.drawModelOn(page, *rig.model.view());
        for (const RecordingSurface* surface : {&rig.graph, &page}) {
            const std::vector<int> widths = widthsAt(*surface, rig.switches.CurveColor);
            ASSERT_FALSE(widths.empty());
            EXPECT_EQ(std::set<int>(widths.begin(), widths.end()), std::set<int>{thickness});
        }
    }
}

// Every pixel column from left to right edge, on the rows through y.
std::set<int> pixelsOnRow(const RecordingSurface& graph, float y) {
    std::set<int> xs;
    for (const testing::Point& c : graph.calls)
        if (c.colour == kAxesColour && c.y == y)
            xs.insert(static_cast<int>(c.x / kTwipsPerPixel));
    return xs;
}

TEST(Appearance, GridLinesRunThroughEveryPixelOfTheirRowsAndComeBackOnReplay) {
    const struct {
        double xmin, xmax, ymin, ymax;
        float row; // twips of one grid row, away from the x axis
    } cases[] = {
        {-10, 10, -10, 10, 1160}, // 4635 / 20 = 231.75: rows every 232 twips from the top
        {-3, 3, -2, 2, 1159},     // 4635 / 4 = 1158.75
        {-3, 3, 2, 6, 0},         // the top edge, with the x axis off the frame
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.xmin);
        RecordingSurface dots, lines;
        DrawAxes(dots, k.xmin, k.xmax, k.ymin, k.ymax, kTrue);
        DrawAxes(lines, k.xmin, k.xmax, k.ymin, k.ymax, kTrue, GridStyle::Lines);
        EXPECT_LT(pixelsOnRow(dots, k.row).size(), 100u);
        const std::set<int> row = pixelsOnRow(lines, k.row);
        ASSERT_EQ(row.size(), 446u);
        EXPECT_EQ(*row.rbegin(), 445);

        PointRecord record;
        record.addAxes(AxesCall{k.xmin, k.xmax, k.ymin, k.ymax, kTrue, GridStyle::Lines});
        RecordingSurface replayed;
        record.replay(replayed);
        EXPECT_EQ(pixelsOnRow(replayed, k.row), row);
    }
}

} // namespace
} // namespace curvalia::plot
