// The coordinate read-out: the inverse of the frame mapping that places the
// points, at several ranges; digits and decimal separator; and in the main
// window, shown only after a draw has published a frame and cleared when the
// pointer leaves.
#include "plot/AxesRenderer.h"
#include "qt_main_input_support.h"
#include "ui/AreaDialog.h"
#include "ui/CoordinateLabel.h"

#include <QLabel>
#include <QLocale>

#include <cmath>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

TEST(CoordinateReadOut, IsTheFrameMappingBackwardsAtEveryKindOfRange) {
    const struct {
        double xmin, xmax, ymin, ymax;
        double x, y; // a point drawn on the plot
        int xDecimals, yDecimals;
    } cases[] = {
        {-10, 10, -10, 10, 3.25, -7.5, 2, 2}, {-10, 10, -10, 0, -9.9, -5, 2, 2},
        {0, 10, 0, 10, 0.5, 9.5, 2, 2},       {2, 12, 1, 10, 11.2, 1.3, 2, 2},
        {-12, -2, -10, -1, -2.5, -9.1, 2, 2}, {-1000, 1000, 500, 2000, -333, 1999, 0, 0},
        {0, 1, -1, 0, 0.123, -0.987, 3, 3},   {-100, 100, -3, 3, 42, 2.9, 1, 2},
    };
    const QLocale c = QLocale::c();
    for (const auto& k : cases) {
        PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
        const plot::PlotFrame frame = plot::DrawAxes(graph, k.xmin, k.xmax, k.ymin, k.ymax, 0);
        // The pixel on which the point lands, and the pointer anywhere on it.
        const QPointF pixel(std::floor(frame.column(k.x) / 15), std::floor(frame.row(k.y) / 15));
        for (const QPointF within : {QPointF(0.1, 0.1), QPointF(0.9, 0.5)}) {
            const QString text = CoordinateLabel::readOut(frame, pixel + within, c);
            // "x = ...   y = ..."
            const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            ASSERT_EQ(parts.size(), 6) << text.toStdString();
            const double x = parts[2].toDouble(), y = parts[5].toDouble();
            const double xPixel = frame.RangeX * 15 / plot::PlotWidth;
            const double yPixel = frame.RangeY * 15 / plot::PlotHeight;
            EXPECT_LE(std::abs(x - k.x), xPixel) << text.toStdString() << " for " << k.x;
            EXPECT_LE(std::abs(y - k.y), yPixel) << text.toStdString() << " for " << k.y;
            // Mapped forwards again, the read-out lands on the same pixel.
            EXPECT_EQ(std::floor(frame.column(x) / 15), pixel.x()) << text.toStdString();
            EXPECT_EQ(std::floor(frame.row(y) / 15), pixel.y()) << text.toStdString();
            const auto decimals = [](const QString& n) {
                return n.contains('.') ? static_cast<int>(n.size() - n.indexOf('.') - 1) : 0;
            };
            EXPECT_EQ(decimals(parts[2]), k.xDecimals) << text.toStdString();
            EXPECT_EQ(decimals(parts[5]), k.yDecimals) << text.toStdString();
        }
    }
}

struct MainCoordinateTest : MainWindowRig {
    MainCoordinateTest() { QLocale::setDefault(QLocale(QLocale::Italian)); }
    ~MainCoordinateTest() override { QLocale::setDefault(QLocale::c()); }
    QLabel* label() { return child<QLabel>("Coordinate"); }
    void leave(QWidget* w) {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(w, &event);
    }
};

TEST_F(MainCoordinateTest, ShownOnlyOverAPublishedFrameAndClearedOnLeaving) {
    auto* graph = child<PlotSurfaceWidget>("Graph");
    moveOver(graph, QPointF(100, 100));
    EXPECT_FALSE(label()->isVisible()); // no draw yet

    fx()->setText("sin(x)");
    pressButton("penna_bn", "penna");
    // Widget position (223.5, 155.5) is drawing pixel (222, 154), the axes' crossing.
    moveOver(graph, QPointF(223.5, 155.5));
    EXPECT_TRUE(label()->isVisible());
    EXPECT_EQ(label()->text().toStdString(), "x = 0,00   y = 0,00");
    auto* status = child<QLabel>("StatusBar");
    EXPECT_TRUE(status->text().isEmpty()); // the status line is not touched
    moveOver(graph, QPointF(1, 310));
    EXPECT_EQ(label()->text().toStdString(), "x = -9,98   y = -10,03");
    moveOver(graph, QPointF(0.5, 100)); // on the frame around the drawing
    EXPECT_FALSE(label()->isVisible());
    moveOver(graph, QPointF(100, 100));
    leave(graph);
    EXPECT_FALSE(label()->isVisible());

    // A refused range clears the plot and with it the frame.
    window.areaDialog()->findChild<QLineEdit*>("XmaxTXT")->setText("-20");
    pressButton("penna_bn", "penna");
    EXPECT_EQ(status->text(), "Campi errati");
    moveOver(graph, QPointF(100, 100));
    EXPECT_FALSE(label()->isVisible());
}

} // namespace
} // namespace curvalia::ui
