// Where single points land on the plot surface at device pixel ratio 1, and
// that repeating a point is only skipped while it is still on the image.
#include "plot/Palette.h"
#include "ui/PlotSurfaceWidget.h"

#include <QImage>
#include <gtest/gtest.h>

#include <limits>

namespace {

using curvalia::plot::QBColorArgb;
using curvalia::ui::PlotSurfaceWidget;

QRgb at(const PlotSurfaceWidget& surface, int x, int y) {
    return surface.image().pixel(x, y) | 0xFF000000u;
}

int litPixels(const PlotSurfaceWidget& surface) {
    const QImage& image = surface.image();
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += (image.pixel(x, y) | 0xFF000000u) != QBColorArgb(0);
    return lit;
}

TEST(PlotSurfacePixels, OnePixelPointsLandOnTheirPixelOrAreClipped) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float x, y;
        int px, py; // -1: clipped
    } cases[] = {{0, 0, 0, 0},           {14.9f, 14.9f, 0, 0},
                 {15, 15, 1, 1},         {3337.5f, 2317.5f, 222, 154},
                 {6675, 4635, 445, 309}, {6689.9f, 10, 445, 0},
                 {6690, 10, -1, -1},     {10, 4650, -1, -1},
                 {-0.01f, 10, -1, -1},   {10, -7, -1, -1},
                 {nan, 10, -1, -1},      {1e30f, 1e30f, -1, -1}};
    for (const auto& c : cases) {
        PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
        ASSERT_EQ(graph.image().devicePixelRatio(), 1.0);
        graph.PSet(c.x, c.y, 10);
        EXPECT_EQ(litPixels(graph), c.px < 0 ? 0 : 1) << c.x << "," << c.y;
        if (c.px >= 0) {
            EXPECT_EQ(at(graph, c.px, c.py), QBColorArgb(10)) << c.x << "," << c.y;
        }
    }
}

TEST(PlotSurfacePixels, ARepeatedPointIsDrawnAgainOnceSomethingCoveredIt) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.PSet(150, 150, 10);
    graph.PSet(150, 150, 12); // the derivative on the same pixel
    graph.PSet(150, 150, 10);
    EXPECT_EQ(at(graph, 10, 10), QBColorArgb(10));

    graph.setDrawWidth(10);
    graph.PSet(150, 150, 9); // a wide dot over it
    graph.setDrawWidth(1);
    graph.PSet(150, 150, 10);
    EXPECT_EQ(at(graph, 10, 10), QBColorArgb(10));
    EXPECT_EQ(at(graph, 11, 11), QBColorArgb(9));

    graph.Cls();
    graph.PSet(150, 150, 10); // the same point as before the clearing
    EXPECT_EQ(at(graph, 10, 10), QBColorArgb(10));
    EXPECT_EQ(litPixels(graph), 1);
}

TEST(PlotSurfacePixels, WidePenCoversWholePixelsAroundThePoint) {
    PlotSurfaceWidget bar(PlotSurfaceWidget::progressBarLook(QColor(240, 240, 240)));
    bar.setDrawWidth(10);
    bar.PSet(1500, 10, 9); // pixel (100, 0): 4 before, 5 after, clipped to the bar's 5 rows
    for (int x = 95; x <= 106; ++x)
        EXPECT_EQ(at(bar, x, 0) == QBColorArgb(9), x >= 96 && x <= 105) << x;
    EXPECT_EQ(at(bar, 100, bar.image().height() - 1), QBColorArgb(9));

    // The same dot once more after a clearing must not be taken for a repeat.
    bar.Cls();
    bar.PSet(1500, 10, 9);
    EXPECT_EQ(at(bar, 100, 0), QBColorArgb(9));
}

} // namespace
