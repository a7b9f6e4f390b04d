// The main window through its real widgets: start state, menus and legend,
// hover highlighting, the speed switch; and the coordinate read-out, the
// inverse of the frame mapping that places the points, shown only after a draw
// has published a frame.
#include "plot/AxesRenderer.h"
#include "support/qt_main_input_support.h"
#include "ui/explore/CoordinateLabel.h"
#include "ui/main/Legend.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QLabel>
#include <QLocale>

#include <cmath>
#include <set>
#include <string>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct MainWindowTest : MainWindowRig {
    QAction* action(const char* name) { return child<QAction>(name); }
    LegendSwatch* swatch(const char* name) { return child<LegendSwatch>(name); }
};

TEST_F(MainWindowTest, StartsWithTheProgramsState) {
    EXPECT_EQ(window.switches().CurveColor, 10); // the others start as their marks show
    const std::set<std::string> on = {"verde", "funzione", "disegnoVeloce"};
    for (const char* name : {"verde", "funzione", "giallo", "derpri", "GrigliaM", "noncancellare",
                             "disegnoVeloce", "numeriAssi", "traccia", "disegnoAutomatico"})
        EXPECT_EQ(action(name)->isChecked(), on.count(name) > 0) << name;
    fx()->setText(QString(151, QLatin1Char('1')));
    EXPECT_EQ(fx()->text().size(), 150);
}

TEST_F(MainWindowTest, ColoursActAsOneGroupAndSwitchesToggleWithTheirMarks) {
    const std::tuple<const char*, int, QColor> colours[] = {
        {"giallo", 14, QColor(255, 255, 0)},   {"azzurro", 11, QColor(0, 255, 255)},
        {"bianco", 15, QColor(255, 255, 255)}, {"blu", 9, QColor(0, 0, 255)},
        {"blu", 9, QColor(0, 0, 255)}, // the checked entry again stays checked
        {"verde", 10, QColor(0, 255, 0)}};
    for (const auto& [entry, number, colour] : colours) {
        action(entry)->trigger();
        EXPECT_EQ(window.switches().CurveColor, number) << entry;
        EXPECT_EQ(swatch("Shape1")->fillColor(), colour) << entry;
        for (const char* other : {"verde", "azzurro", "bianco", "giallo", "blu"})
            EXPECT_EQ(action(other)->isChecked(), std::string(other) == entry) << entry << other;
    }
    action("funzione")->trigger();
    EXPECT_EQ(swatch("Shape1")->fillStyle(), LegendSwatch::kTransparent);
    action("derpri")->trigger();
    EXPECT_EQ(swatch("Shape2")->fillStyle(), LegendSwatch::kSolid);
    for (int round = 1; round <= 2; ++round) {
        action("GrigliaM")->trigger();
        action("noncancellare")->trigger();
        const bool odd = round % 2 == 1;
        EXPECT_EQ(action("GrigliaM")->isChecked(), odd);
        EXPECT_EQ(window.switches().GridOn, odd ? -1 : 0);
        EXPECT_EQ(action("noncancellare")->isChecked(), odd);
        EXPECT_EQ(window.switches().ClearBeforePlot, odd ? 0 : -1);
    }
}

TEST_F(MainWindowTest, AStopWhileIdleIsForgotten) {
    pressButton("Stopim");
    fx()->setText("x"); // drawn in full
    pressButton("penna");
    EXPECT_GT(pixelsOfColour(qRgb(0, 255, 0)), 300);
    EXPECT_TRUE(status().isEmpty());
}

TEST(CoordinateReadOut, IsTheFrameMappingBackwardsAtEveryKindOfRange) {
    const struct {
        double xmin, xmax, ymin, ymax;
        double x, y; // a point drawn on the plot
        int xDecimals, yDecimals;
    } cases[] = {
        {-10, 10, -10, 10, 3.25, -7.5, 2, 2}, {2, 12, 1, 10, 11.2, 1.3, 2, 2},
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

TEST(CoordinateReadOut, ShowsOnlyOverTheFrameAndNeverPastItsEdgesAtAnySize) {
    PlotSurfaceWidget graph(PlotSurfaceWidget::graphLook());
    const plot::PlotFrame frame = plot::DrawAxes(graph, -10, 10, -10, 10, 0);
    const struct {
        QSize size;
        QPointF at;
        const char* text; // nullptr: hidden
    } cases[] = {
        {{446, 310}, {0, 0}, "x = -9.98   y = 9.97"},
        {{446, 310}, {445, 309}, "x = 10.00   y = -10.00"}, // the last pixel holds Xmax, Ymin
        {{446, 310}, {445.5, 100}, nullptr},                // half a pixel past Xmax
        {{446, 310}, {100, 309.5}, nullptr},
        {{446, 310}, {-0.5, 100}, nullptr},
        {{1600, 1000}, {1599, 999}, "x = 10.00   y = -10.00"},
        {{1600, 1000}, {1599.5, 500}, nullptr},
        {{1600, 1000}, {799.6, 499.2}, "x = 0.00   y = 0.00"},
    };
    for (const auto& k : cases) {
        const PlotMapping mapping = PlotMapping().resized(k.size);
        SCOPED_TRACE(std::to_string(k.at.x()) + "," + std::to_string(k.at.y()));
        EXPECT_EQ(CoordinateLabel::overFrame(k.at, mapping), k.text != nullptr);
        if (k.text) {
            EXPECT_EQ(CoordinateLabel::readOut(frame, k.at, QLocale::c(), mapping),
                      QString::fromLatin1(k.text));
        }
    }
}

struct MainCoordinateTest : MainWindowTest {
    MainCoordinateTest() { QLocale::setDefault(QLocale(QLocale::Italian)); }
    ~MainCoordinateTest() override { QLocale::setDefault(QLocale::c()); }
    QLabel* label() { return child<QLabel>("Coordinate"); }
};

TEST_F(MainCoordinateTest, ShownOnlyOverAPublishedFrameAndClearedOnLeaving) {
    auto* graph = child<PlotSurfaceWidget>("Graph");
    moveOver(graph, QPointF(100, 100));
    EXPECT_FALSE(label()->isVisible()); // no draw yet

    fx()->setText("sin(x)");
    pressButton("penna");
    // Widget position (223.5, 155.5) is drawing pixel (222, 154), the axes' crossing.
    moveOver(graph, QPointF(223.5, 155.5));
    EXPECT_TRUE(label()->isVisible());
    EXPECT_EQ(label()->text(), "x = 0,00   y = 0,00");
    EXPECT_TRUE(status().isEmpty());    // the status line is not touched
    moveOver(graph, QPointF(0.5, 100)); // on the frame around the drawing
    EXPECT_FALSE(label()->isVisible());
    moveOver(graph, QPointF(100, 100));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(graph, &leave);
    EXPECT_FALSE(label()->isVisible());

    // A refused range clears the plot and with it the frame.
    window.areaDialog()->findChild<QLineEdit*>("XmaxTXT")->setText("-20");
    pressButton("penna");
    EXPECT_EQ(status(), "Campi errati");
    moveOver(graph, QPointF(100, 100));
    EXPECT_FALSE(label()->isVisible());
}

} // namespace
} // namespace curvalia::ui
