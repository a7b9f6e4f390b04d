// Joined lines on the plot surface: drawn with the pen's width, clipped,
// kept in the record for redraws at another size, written to SVG as paths.
#include "plot/Palette.h"
#include "support/qt_main_input_support.h"
#include "ui/plotview/PlotExporter.h"

#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace curvalia::ui {
namespace {

bool lit(const QImage& image, int x, int y) {
    return (image.pixel(x, y) | 0xFF000000u) != plot::QBColorArgb(0);
}

// From pixel (10, 10) to (400, 200), at y = 105.5 in column 206; then a
// segment from a frame beyond each corner, clipped.
TEST(PlotSurfaceLines, FillEveryColumnWithThePensWidthClippedAndSurviveAResize) {
    for (const int width : {1, 3}) {
        PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
        graph.setDrawWidth(width);
        graph.Line(150, 150, 6000, 3000, 10);
        EXPECT_EQ(graph.image().pixel(206, 105) | 0xFF000000u, graph.colourOf(10));
        EXPECT_EQ(lit(graph.image(), 206, 106), width == 3);
        graph.setDrawingSize(QSize(891, 619));
        EXPECT_TRUE(lit(graph.image(), 410, 210));
        EXPECT_TRUE(lit(graph.image(), 800, 400));
    }
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.Line(-6675, -4635, 13350, 9270, 10);
    for (const auto& [x, y] : {std::pair(0, 0), std::pair(222, 154), std::pair(445, 309)})
        EXPECT_TRUE(lit(graph.image(), x, y)) << x;
}

TEST(PlotSurfaceLines, AJoinedCurveIsOnePathInTheSvg) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.setDrawWidth(2);
    const auto row = [](int i) { return static_cast<float>(2317.5 - 2000 * std::sin(i / 20.0)); };
    for (int i = 0; i <= 200; ++i) {
        graph.PSet(33.375f * i, row(i), 10);
        if (i > 0)
            graph.Line(33.375f * (i - 1), row(i - 1), 33.375f * i, row(i), 10);
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
    EXPECT_TRUE(lit(rendered, 222, static_cast<int>(row(100) / 15)));
}

} // namespace
} // namespace curvalia::ui
