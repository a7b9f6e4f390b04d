// The plot at other sizes: drawn again from its point record it is the very
// picture a fresh draw at that size gives, every point where the mapping
// puts it. (The overlay's layers are checked through the real ones: the axis
// numbers, the trace's cross and the tangent.)
#include "plot/AxesRenderer.h"
#include "plot/Palette.h"
#include "support/qt_main_input_support.h"
#include "ui/plotview/PlotExporter.h"
#include "ui/plotview/PlotOverlay.h"

#include <cmath>
#include <string>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct Draw {
    double xmin, xmax, ymin, ymax;
    std::int16_t grid;
    int colour;
};

// A draw as the draw command makes it: axes, then f = sin and its
// backward difference, 400 samples.
void draw(PlotSurfaceWidget& graph, const Draw& d) {
    const plot::PlotFrame frame = plot::DrawAxes(graph, d.xmin, d.xmax, d.ymin, d.ymax, d.grid);
    graph.setDrawWidth(1);
    const double mid = (d.ymin + d.ymax) / 2, amp = (d.ymax - d.ymin) / 3;
    for (int i = 0; i <= 400; ++i) {
        const double x = d.xmin + (d.xmax - d.xmin) * i / 400;
        const auto column = static_cast<float>(frame.column(x));
        graph.PSet(column, static_cast<float>(frame.row(mid + amp * std::sin(x))), d.colour);
        graph.PSet(column, static_cast<float>(frame.row(mid + amp * std::cos(x))), 12);
    }
}

TEST(PlotResize, DrawnAgainAtASizeItIsAFreshDrawAtThatSize) {
    const std::vector<std::vector<Draw>> plots = {
        {{-10, 10, -10, 10, 0, 10}},                        // straddling 0
        {{2, 12, 1, 10, -1, 10}},                           // all positive, with the grid
        {{-12, -2, -10, -1, -1, 14}},                       // all negative, with the grid
        {{-10, 10, -3, 3, 0, 10}, {-5, 15, -2, 8, -1, 11}}, // kept, two colours
    };
    const QSize sizes[] = {QSize(1600, 1000), QSize(447, 311), QSize(1279, 613)};
    for (const auto& plot : plots) {
        PlotSurfaceWidget drawn(PlotSurfaceWidget::graphLook());
        for (const Draw& d : plot)
            draw(drawn, d);
        const QImage atDesign = drawn.image().copy();
        for (const QSize size : sizes) {
            SCOPED_TRACE(std::to_string(plot.front().xmin) + " at " + std::to_string(size.width()));
            drawn.setDrawingSize(size);
            PlotSurfaceWidget fresh(PlotSurfaceWidget::graphLook());
            fresh.setDrawingSize(size);
            for (const Draw& d : plot)
                draw(fresh, d);
            ASSERT_EQ(drawn.image().size(), size);
            EXPECT_TRUE(samePixels(drawn.image(), fresh.image()));
            EXPECT_TRUE(samePixels(renderSvg(plotSvg(drawn), size), drawn.image()));
        }
        drawn.setDrawingSize(QSize(446, 310));
        EXPECT_TRUE(samePixels(drawn.image(), atDesign)); // and back again
    }
}

TEST(PlotResize, PastTheRecordsBoundThePictureIsStretched) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.pointsAhead(plot::PointRecord::kMaxPoints + 1.0); // a sweep too fine to record
    draw(graph, {-10, 10, -10, 10, -1, 10});
    ASSERT_TRUE(graph.pointRecord().overflowed());
    const QImage before = graph.image().copy();
    graph.setDrawingSize(QSize(892, 620));
    EXPECT_TRUE(samePixels(graph.image(), before.scaled(892, 620)));
}

TEST(PlotResize, AxisLinesStayWhole) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.setDrawingSize(QSize(1600, 1000));
    plot::DrawAxes(graph, -10, 10, -10, 10, 0);
    const QRgb axes = plot::QBColorArgb(plot::kAxesColour);
    int row = 0, column = 0;
    for (int x = 0; x < 1600; ++x)
        row += (graph.image().pixel(x, 499) | 0xFF000000u) == axes;
    for (int y = 0; y < 1000; ++y)
        column += (graph.image().pixel(799, y) | 0xFF000000u) == axes;
    EXPECT_EQ(row, 1600);
    EXPECT_EQ(column, 1000);
}

// The overlay goes either on its own, after which the plot forgets it, or
// with the plot, whose own part is gone by then (the sanitizer build catches
// an overlay that still reaches into it).
TEST(PlotOverlayLayers, GoOnTheirOwnOrWithThePlot) {
    for (const bool overlayFirst : {true, false}) {
        SCOPED_TRACE(overlayFirst);
        auto window = std::make_unique<QWidget>();
        auto* graph = new PlotSurfaceWidget(PlotSurfaceWidget::graphLook(), window.get());
        draw(*graph, {-10, 10, -10, 10, -1, 10});
        auto* overlay = new PlotOverlay(*graph);
        ASSERT_EQ(graph->overlay(), overlay);
        if (overlayFirst) {
            delete overlay;
            EXPECT_EQ(graph->overlay(), nullptr);
        }
        window.reset();
    }
}

} // namespace
} // namespace curvalia::ui
