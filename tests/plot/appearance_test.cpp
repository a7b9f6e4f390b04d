// Grid lines through every pixel of their rows, kept by the record so that
// a redraw repeats them.
#include "plot/AxesRenderer.h"
#include "plot/PlotSettings.h"
#include "plot/PointRecord.h"
#include "recording_surface_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace curvalia::plot {
namespace {

using testing::RecordingSurface;

// The pixel columns the dots and the lines in the axes' colour cover on the
// row through y.
std::set<int> pixelsOnRow(const RecordingSurface& graph, float y) {
    std::set<int> xs;
    for (const testing::Point& c : graph.calls)
        if (c.colour == kAxesColour && c.y == y)
            xs.insert(static_cast<int>(c.x / kTwipsPerPixel));
    for (const testing::Segment& l : graph.lines)
        if (l.colour == kAxesColour && l.y1 == y && l.y2 == y)
            for (int x = static_cast<int>(std::min(l.x1, l.x2) / kTwipsPerPixel);
                 x <= static_cast<int>(std::max(l.x1, l.x2) / kTwipsPerPixel); ++x)
                xs.insert(x);
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
