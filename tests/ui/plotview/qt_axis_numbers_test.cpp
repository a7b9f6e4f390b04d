// Numbers on the axes: round steps as far apart as their text needs, for
// ranges from one unit to millions wide and far from 0, never overlapping
// one another or the other axis; drawn over the plot only while the menu
// switch is on, and in the saved and copied images then.
#include "plot/AxesRenderer.h"
#include "support/qt_main_input_support.h"
#include "ui/plotview/AxisNumbers.h"
#include "ui/plotview/PlotExporter.h"

#include <QAction>
#include <QFontMetricsF>

#include <cmath>
#include <string>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

TEST(AxisNumbersLayout, RoundStepsAsFarApartAsTheTextNeedsNeverOverlapping) {
    const struct {
        double xmin, xmax, ymin, ymax;
        QSize size;
        double xStep, yStep; // 0: any round step
        const char* someX;   // one of the x numbers, as written
    } cases[] = {
        {-10, 10, -10, 10, {446, 310}, 2, 2, "-4"},
        {-10, 10, -10, 10, {1600, 1000}, 0.5, 0.5, "7,5"},
        {0, 1, -1, 0, {446, 310}, 0.1, 0.1, "0,3"},
        {-1000000, 1000000, -5, 5, {446, 310}, 500000, 1, "-1000000"},
        {-1000000, 1000000, -5, 5, {1600, 1000}, 100000, 0.5, "600000"},
        {1000000, 1000001, 3, 4, {446, 310}, 0.2, 0.1, "1000000,4"},
        {-12, -2, 500, 2000, {800, 600}, 0.5, 100, "-7,5"},
        // Wide texts at both edges, and far from 0 where few digits tell
        // neighbours apart.
        {1000000, 1000017, -3, 3, {446, 310}, 0, 0, "1000004"},
        {1e15, 1e15 + 40, 1e15, 1e15 + 40, {446, 310}, 0, 0, "1,00000000000002E+15"},
        {-1e17, 1e17, -3e16, -1e16, {800, 600}, 0, 0, ""},
    };
    const QFontMetricsF metrics(axisNumberFont());
    const QLocale italian(QLocale::Italian);
    for (const auto& k : cases) {
        SCOPED_TRACE(std::to_string(k.xmin) + ".." + std::to_string(k.xmax) + " at " +
                     std::to_string(k.size.width()));
        const plot::PlotFrame f{
            .Xmin = k.xmin, .Ymax = k.ymax, .RangeX = k.xmax - k.xmin, .RangeY = k.ymax - k.ymin};
        const AxisNumbers n = layoutAxisNumbers(f, PlotMapping().resized(k.size), metrics, italian);
        if (k.xStep > 0) {
            EXPECT_DOUBLE_EQ(n.xStep, k.xStep);
            EXPECT_DOUBLE_EQ(n.yStep, k.yStep);
        }
        ASSERT_GE(n.x.size(), 2u);
        ASSERT_GE(n.y.size(), 2u);
        EXPECT_TRUE(!*k.someX || std::any_of(n.x.begin(), n.x.end(), [&](const AxisNumber& a) {
            return a.text == QString::fromUtf8(k.someX);
        }));
        std::vector<AxisNumber> all = n.x;
        all.insert(all.end(), n.y.begin(), n.y.end());
        const QRectF drawing(QPointF(0, 0), QSizeF(k.size));
        // Neighbours never read the same.
        for (const auto* axis : {&n.x, &n.y})
            for (std::size_t i = 1; i < axis->size(); ++i)
                EXPECT_NE((*axis)[i - 1].text, (*axis)[i].text);
        for (std::size_t i = 0; i < all.size(); ++i) {
            EXPECT_TRUE(drawing.contains(all[i].box)) << all[i].text.toStdString();
            EXPECT_NE(all[i].text, QStringLiteral("-0"));
            for (std::size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(all[i].box.intersects(all[j].box))
                    << all[i].text.toStdString() << " / " << all[j].text.toStdString();
        }
        // Each x number is centred on its value's column unless the edge
        // pushed it in.
        for (const AxisNumber& a : n.x) {
            const double column = f.column(a.value) * (k.size.width() - 1) / 6675.0;
            if (a.box.left() > 0 && a.box.right() < k.size.width()) {
                EXPECT_NEAR(a.box.center().x(), column, 0.01) << a.text.toStdString();
            }
        }
    }
}

struct AxisNumbersInWindow : MainWindowRig {
    AxisNumbersInWindow() {
        QApplication::setCursorFlashTime(0);
        QLocale::setDefault(QLocale(QLocale::Italian));
    }
    ~AxisNumbersInWindow() override { QLocale::setDefault(QLocale::c()); }
    QImage graphShown() { return graph()->grab().toImage(); }
    QAction* numbers() { return child<QAction>("numeriAssi"); }
};

TEST_F(AxisNumbersInWindow, AnOverlayThatOffGivesBackTheSamePixelsAndEntersImagesWhenOn) {
    fx()->setText("sin(x)");
    pressButton("penna");
    auto* graph = child<PlotSurfaceWidget>("Graph");
    const QImage off = graphShown();
    const QImage drawing = graph->image().copy();
    const std::size_t recorded = graph->pointRecord().size();
    numbers()->trigger();
    const QImage on = graphShown();
    EXPECT_FALSE(samePixels(on, off));
    EXPECT_TRUE(samePixels(graph->image(), drawing)); // over the plot, not in it
    EXPECT_EQ(graph->pointRecord().size(), recorded);
    EXPECT_TRUE(samePixels(plotImage(*graph), on.copy(1, 1, 446, 310)));
    const QByteArray svg = plotSvg(*graph);
    EXPECT_TRUE(svg.contains(">-4</text>"));
    EXPECT_TRUE(svg.contains(">8</text>"));
    // At another size, the screen shows what the images hold.
    window.resize(1000, 800);
    QApplication::processEvents();
    const QSize grown = graph->mapping().pixels();
    ASSERT_EQ(grown, QSize(446 + 482, 310 + 353));
    EXPECT_TRUE(samePixels(plotImage(*graph), graphShown().copy(QRect(QPoint(1, 1), grown))));
    EXPECT_TRUE(plotSvg(*graph).contains(">-9</text>"));
    window.resize(518, 447);
    QApplication::processEvents();
    numbers()->trigger();
    EXPECT_TRUE(samePixels(graphShown(), off));
    EXPECT_TRUE(samePixels(plotImage(*graph), drawing));
    EXPECT_FALSE(plotSvg(*graph).contains("<text"));
}

// Far from 0 the multiples of the step lie beyond 2^53: counting them must
// end, and no number may stand twice over another.
TEST(AxisNumbersLayout, RangesFarFromZeroEndWithDistinctNumbers) {
    const struct {
        double xmin, xmax, ymin, ymax;
    } cases[] = {
        {1152921504606846976.0, 1152921504606847232.0, -10, 10},
        {-10, 10, 1152921504606846976.0, 1152921504606847232.0},
        {-1e300, 1e300, -1e300, 1e300},
    };
    const QFontMetricsF metrics(axisNumberFont());
    for (const auto& k : cases) {
        SCOPED_TRACE(std::to_string(k.xmin) + " / " + std::to_string(k.ymin));
        const plot::PlotFrame f{
            .Xmin = k.xmin, .Ymax = k.ymax, .RangeX = k.xmax - k.xmin, .RangeY = k.ymax - k.ymin};
        const AxisNumbers n = layoutAxisNumbers(f, PlotMapping(), metrics, QLocale::c());
        for (const auto* axis : {&n.x, &n.y})
            for (std::size_t i = 1; i < axis->size(); ++i)
                EXPECT_LT((*axis)[i - 1].value, (*axis)[i].value);
    }
}

// Views narrower than two whole units: every number on a tick, in order,
// with the decimals that tell neighbours apart.
TEST(AxisNumbersLayout, NarrowViewsPutEveryNumberOnATick) {
    const struct {
        double xmin, xmax, ymin, ymax;
        QSize size;
        const char* someX; // as written
    } cases[] = {
        {0.7, 0.85, 2.5, 2.6, {446, 310}, "0,72"},
        {1000000.1, 1000000.2, -0.5, 0.5, {446, 310}, "1000000,14"},
        // Text wide enough for 0.05 apart, between ticks 0.02 apart.
        {1000000.1, 1000000.25, -0.5, 0.5, {446, 310}, "1000000,2"},
        {0.7, 0.85, 2.5, 2.6, {1600, 1000}, "0,84"}, // room for numbers closer than ticks
        {-3.3, 7.1, 1e-9, 2e-9, {446, 310}, "4"},
        {-1e-9, 1e-9, 0.05, 0.7, {446, 310}, "0,000000001"},
    };
    const QFontMetricsF metrics(axisNumberFont());
    for (const auto& k : cases) {
        SCOPED_TRACE(k.someX);
        const plot::PlotFrame f{
            .Xmin = k.xmin, .Ymax = k.ymax, .RangeX = k.xmax - k.xmin, .RangeY = k.ymax - k.ymin};
        const AxisNumbers n =
            layoutAxisNumbers(f, PlotMapping().resized(k.size), metrics, QLocale(QLocale::Italian));
        EXPECT_TRUE(std::any_of(n.x.begin(), n.x.end(), [&](const AxisNumber& a) {
            return a.text == QString::fromUtf8(k.someX);
        }));
        for (const auto& [axis, tick] : {std::pair(&n.x, plot::tickStep(k.xmin, k.xmax)),
                                         std::pair(&n.y, plot::tickStep(k.ymin, k.ymax))}) {
            ASSERT_GE(axis->size(), 2u);
            for (std::size_t i = 0; i < axis->size(); ++i) {
                const double q = (*axis)[i].value / tick;
                EXPECT_NEAR(q, std::round(q), 1e-6) << (*axis)[i].text.toStdString();
                EXPECT_TRUE(i == 0 || ((*axis)[i - 1].value < (*axis)[i].value &&
                                       (*axis)[i - 1].text != (*axis)[i].text));
            }
        }
    }
}

} // namespace
} // namespace curvalia::ui
