// Where points land on the plot surface, at device pixel ratio 1 and 2 (ctest
// runs the binary once more with QT_SCALE_FACTOR=2 for the second suite; in
// the unscaled run it skips itself), and that repeating a point is only
// skipped while it is still on the image.
#include "plot/Palette.h"
#include "ui/PlotSurfaceWidget.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

using curvalia::plot::QBColorArgb;
using curvalia::ui::PlotSurfaceWidget;

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

int litPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += at(image, x, y) != QBColorArgb(0);
    return lit;
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

TEST(PlotSurfacePixels, OnePixelPointsLandOnTheirPixelOrAreClipped) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Pixel -1: clipped.
    const std::tuple<float, float, int, int> cases[] = {
        {0.f, 0.f, 0, 0},           {14.9f, 14.9f, 0, 0},
        {15.f, 15.f, 1, 1},         {3337.5f, 2317.5f, 222, 154},
        {6675.f, 4635.f, 445, 309}, {6689.9f, 10.f, 445, 0},
        {6690.f, 10.f, -1, -1},     {10.f, 4650.f, -1, -1},
        {-0.01f, 10.f, -1, -1},     {10.f, -7.f, -1, -1},
        {nan, 10.f, -1, -1},        {1e30f, 1e30f, -1, -1}};
    for (const auto& [x, y, px, py] : cases) {
        PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
        ASSERT_EQ(graph.image().devicePixelRatio(), 1.0);
        graph.PSet(x, y, 10);
        EXPECT_EQ(litPixels(graph.image()), px < 0 ? 0 : 1) << x << "," << y;
        if (px >= 0) {
            EXPECT_EQ(at(graph.image(), px, py), QBColorArgb(10)) << x << "," << y;
        }
    }
}

TEST(PlotSurfacePixels, ARepeatedPointIsDrawnAgainOnceSomethingCoveredIt) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    for (const int colour : {10, 12, 10}) // the derivative on the same pixel
        graph.PSet(150, 150, colour);
    EXPECT_EQ(at(graph.image(), 10, 10), QBColorArgb(10));
    graph.setDrawWidth(10);
    graph.PSet(150, 150, 9); // a wide dot over it
    graph.setDrawWidth(1);
    graph.PSet(150, 150, 10);
    EXPECT_EQ(at(graph.image(), 10, 10), QBColorArgb(10));
    EXPECT_EQ(at(graph.image(), 11, 11), QBColorArgb(9));
    graph.Cls();
    graph.PSet(150, 150, 10); // the same point as before the clearing
    EXPECT_EQ(litPixels(graph.image()), 1);

    PlotSurfaceWidget bar(PlotSurfaceWidget::progressBarLook(QColor(240, 240, 240)));
    bar.setDrawWidth(10);
    bar.PSet(1500, 10, 9); // pixel (100, 0): 4 before, 5 after, clipped to the bar's 5 rows
    for (int x = 95; x <= 106; ++x)
        EXPECT_EQ(at(bar.image(), x, 0) == QBColorArgb(9), x >= 96 && x <= 105) << x;
    EXPECT_EQ(at(bar.image(), 100, bar.image().height() - 1), QBColorArgb(9));
    bar.Cls();
    bar.PSet(1500, 10, 9);
    EXPECT_EQ(at(bar.image(), 100, 0), QBColorArgb(9));
}

TEST(PlotSurfacePixels, EachPixelShowsTheLastDotSetOverItAmongManyRepeats) {
    // A few pixels and colours, mostly single pixels with some wider dots
    // and clearings: the repeats the surface skips must never leave a stale colour.
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    QImage expected = graph.image().copy();
    std::mt19937 random(5);
    for (int i = 0; i < 20000; ++i) {
        const int width = random() % 5 == 0 ? 3 : 1;
        const int px = 10 + static_cast<int>(random() % 3),
                  py = 20 + static_cast<int>(random() % 2);
        const int colour = 9 + static_cast<int>(random() % 4);
        graph.setDrawWidth(width);
        graph.PSet(static_cast<float>(px * 15 + 7), static_cast<float>(py * 15 + 7), colour);
        for (int dy = 0; dy < width; ++dy)
            for (int dx = 0; dx < width; ++dx)
                expected.setPixel(px - width / 2 + dx, py - width / 2 + dy, QBColorArgb(colour));
        if (i % 1000 == 999) {
            graph.Cls();
            expected.fill(QBColorArgb(0));
        }
        for (int y = 18; y <= 23; ++y)
            for (int x = 8; x <= 14; ++x)
                ASSERT_EQ(at(graph.image(), x, y), at(expected, x, y)) << "dot " << i;
    }
}

TEST(PlotSurfaceAtRatio2, KeepsSharpDotsAcrossHideAndShow) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.show();
    settle();
    if (graph.devicePixelRatioF() != 2.0)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    EXPECT_EQ(graph.image().size(), QSize(892, 620));
    graph.PSet(150, 300, 10);   // logical pixel (10, 20): device 20..21, 40..41
    graph.PSet(6675, 4635, 12); // the frame's far corner is still on the surface
    graph.setDrawWidth(2);
    graph.PSet(1500, 1500, 7); // logical 100..101: device 200..203
    graph.PSet(-1e30f, 5, 15); // far off or not a number: clipped
    graph.PSet(std::numeric_limits<float>::quiet_NaN(), 5, 15);
    for (const bool visible : {false, true}) {
        settle();
        graph.setVisible(visible);
    }
    settle();
    const QImage shown = graph.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(896, 624)); // with a one-pixel frame
    const std::tuple<int, int, int> expectations[] = {
        {20, 40, 10},  {21, 41, 10},  {22, 40, 0},   {19, 40, 0},   {890, 618, 12}, {891, 619, 12},
        {200, 200, 7}, {203, 203, 7}, {204, 200, 0}, {199, 200, 0}, {0, 10, 0}};
    for (const auto& [x, y, colour] : expectations) {
        EXPECT_EQ(at(graph.image(), x, y), QBColorArgb(colour)) << x << "," << y;
        EXPECT_EQ(at(shown, x + 2, y + 2), QBColorArgb(colour)) << x << "," << y;
    }
    graph.Cls();
    settle();
    const QImage cleared = graph.grab().toImage();
    for (const auto& [x, y, colour] : expectations)
        EXPECT_EQ(at(cleared, x + 2, y + 2), QBColorArgb(0));
}

} // namespace
