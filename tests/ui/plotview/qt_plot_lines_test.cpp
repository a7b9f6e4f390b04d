// Joined lines on the plot surface: drawn with the pen's width, kept in the
// record for redraws at another size, and written to SVG as paths.
#include "plot/Palette.h"
#include "support/qt_main_input_support.h"
#include "ui/plotview/PlotExporter.h"

#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <cmath>

namespace curvalia::ui {
namespace {

bool lit(const QImage& image, int x, int y) {
    return (image.pixel(x, y) | 0xFF000000u) != plot::QBColorArgb(0);
}

int litPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += lit(image, x, y);
    return n;
}

// From pixel (10, 10) to (400, 200): 391 columns, each one pen wide.
TEST(PlotSurfaceLines, FillEveryColumnWithThePensWidthAndSurviveAResize) {
    const struct {
        int width, litBelow; // the pixel under the middle of the segment
    } cases[] = {{1, false}, {3, true}};
    for (const auto& c : cases) {
        PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
        graph.setDrawWidth(c.width);
        graph.Line(150, 150, 6000, 3000, 10);
        const QImage& image = graph.image();
        EXPECT_EQ(image.pixel(206, 105) | 0xFF000000u, graph.colourOf(10));
        EXPECT_EQ(lit(image, 206, 106), c.litBelow);
        EXPECT_NEAR(litPixels(image), 391 * c.width * c.width, 391 * c.width * (c.width - 1) + 2);
        graph.setDrawingSize(QSize(891, 619));
        EXPECT_TRUE(lit(graph.image(), 410, 210));
        EXPECT_TRUE(lit(graph.image(), 800, 400));
    }
}

TEST(PlotSurfaceLines, EndsBeyondTheDrawingAreClipped) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.Line(-6675, -4635, 13350, 9270, 10); // across the drawing, corner to corner
    graph.Line(100, -9000, 6000, -4000, 10);   // above it
    EXPECT_EQ(litPixels(graph.image()), 446);  // one per column
    EXPECT_TRUE(lit(graph.image(), 0, 0));
    EXPECT_TRUE(lit(graph.image(), 222, 154));
}

TEST(PlotSurfaceLines, AJoinedCurveIsOnePathInTheSvg) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.setDrawWidth(2);
    float lastX = 0, lastY = 0;
    for (int i = 0; i <= 200; ++i) {
        const float x = 33.375f * i, y = static_cast<float>(2317.5 - 2000 * std::sin(i / 20.0));
        graph.PSet(x, y, 10);
        if (i > 0)
            graph.Line(lastX, lastY, x, y, 10);
        lastX = x;
        lastY = y;
    }
    const QByteArray svg = plotSvg(graph);
    ASSERT_EQ(svg.count("<path "), 1);
    const qsizetype d = svg.indexOf(" d=\"") + 4;
    EXPECT_EQ(svg.mid(d, svg.indexOf('"', d) - d).count('M'), 1); // one run, unbroken
    const QString stroke = QColor(graph.colourOf(10)).name();
    EXPECT_TRUE(svg.contains(("stroke=\"" + stroke + "\" stroke-width=\"2\"").toUtf8()));
    EXPECT_EQ(svg.count("<rect "), 1); // the background only
    QImage rendered(graph.image().size(), QImage::Format_RGB32);
    rendered.fill(Qt::black);
    QPainter painter(&rendered);
    QSvgRenderer(svg).render(&painter);
    painter.end();
    EXPECT_TRUE(lit(rendered, 222, static_cast<int>((2317.5 - 2000 * std::sin(5.0)) / 15)));
}

} // namespace
} // namespace curvalia::ui
