// The exported plot at device pixel ratio 2: the PNG has the surface's
// device pixels, and the SVG drawn at that size gives the same pixels. The
// whole binary runs scaled, set before the shared main creates the
// application.
#include "qt_plot_export_support.h"
#include "ui/PlotExporter.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace curvalia::ui {
namespace {

const bool kScaledTwice = [] { return setenv("QT_SCALE_FACTOR", "2", 1) == 0; }();

using namespace curvalia::ui::testing;

TEST(PlotExportAtRatio2, PngAndSvgHoldTheDevicePixels) {
    ASSERT_TRUE(kScaledTwice);
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    graph.show();
    QApplication::processEvents();
    ASSERT_EQ(graph.devicePixelRatioF(), 2.0);
    drawPattern(graph);
    ASSERT_EQ(graph.image().size(), QSize(892, 620));

    QTemporaryDir dir;
    ASSERT_EQ(savePlot(graph, dir.filePath("grafico.png")), QString());
    const QImage saved(dir.filePath("grafico.png"));
    EXPECT_EQ(saved.size(), QSize(892, 620));
    EXPECT_EQ(differingPixels(saved, graph.image()), 0);

    const QByteArray svg = plotSvg(graph);
    EXPECT_TRUE(svg.contains("width=\"446\" height=\"310\""));
    EXPECT_EQ(differingPixels(renderSvg(svg, QSize(892, 620)), graph.image()), 0);
}

} // namespace
} // namespace curvalia::ui
