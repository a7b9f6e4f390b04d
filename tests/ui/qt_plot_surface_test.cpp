// The plot surface at device pixel ratio 2. ctest runs this suite once more
// with QT_SCALE_FACTOR=2; in the unscaled run it has nothing to check.
#include "plot/Palette.h"
#include "ui/PlotSurfaceWidget.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <limits>

namespace {

using curvalia::plot::QBColorArgb;
using curvalia::ui::PlotSurfaceWidget;

QRgb pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
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
    settle();
    graph.hide();
    settle();
    graph.show();
    settle();

    const QImage shown = graph.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(896, 624)); // with a one-pixel frame
    const struct {
        int x, y, colour;
    } expectations[] = {
        {20, 40, 10},  {21, 41, 10},  {22, 40, 0},   {19, 40, 0},   {890, 618, 12}, {891, 619, 12},
        {200, 200, 7}, {203, 203, 7}, {204, 200, 0}, {199, 200, 0}, {0, 10, 0},
    };
    for (const auto& e : expectations) {
        EXPECT_EQ(pixel(graph.image(), e.x, e.y), QBColorArgb(e.colour)) << e.x << "," << e.y;
        EXPECT_EQ(pixel(shown, e.x + 2, e.y + 2), QBColorArgb(e.colour)) << e.x << "," << e.y;
    }

    graph.Cls();
    settle();
    const QImage cleared = graph.grab().toImage();
    for (const auto& e : expectations)
        EXPECT_EQ(pixel(cleared, e.x + 2, e.y + 2), QBColorArgb(0));
}

} // namespace
