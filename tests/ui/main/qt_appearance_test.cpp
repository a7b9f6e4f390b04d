// The appearance in the main window: the default one changes no pixel, a
// white background shows each colour as it reads there, the thickness is
// the size of the dots on the screen and in the SVG, bigger axis numbers
// still keep apart, and the dialog applies everything or nothing.
#include "plot/AxesRenderer.h"
#include "support/qt_main_input_support.h"
#include "ui/main/AppearanceActions.h"
#include "ui/main/Legend.h"
#include "ui/plotview/AxisNumbers.h"
#include "ui/plotview/PlotExporter.h"
#include "ui/windows/AppearanceDialog.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QPushButton>
#include <QSpinBox>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;
using plot::Appearance;
using plot::Background;

struct AppearanceTest : MainWindowRig {
    AppearanceActions& looks() { return *child<AppearanceActions>("appearanceActions"); }
};

TEST_F(AppearanceTest, TheDefaultAppearanceChangesNoPixel) {
    child<QAction>("GrigliaM")->trigger();
    child<QAction>("numeriAssi")->trigger();
    drawExpression("sin(x)");
    const QImage before = plotImage(*graph());
    ASSERT_TRUE(looks().apply(Appearance{}));
    EXPECT_TRUE(samePixels(plotImage(*graph()), before));
    looks().apply(
        {Background::White, 3, true, plot::AxisNumberSize::Large, plot::GridStyle::Lines});
    EXPECT_FALSE(samePixels(plotImage(*graph()), before));
    looks().apply(Appearance{});
    EXPECT_TRUE(samePixels(plotImage(*graph()), before));
}

TEST(AppearanceOnWhite, EachPaletteColourIsShownAsItReadsThere) {
    PlotSurfaceWidget surface(PlotSurfaceWidget::graphLook());
    surface.setBackground(Background::White);
    const std::pair<int, QRgb> rows[] = {
        {15, qRgb(0, 0, 0)},   {14, qRgb(128, 128, 0)}, {11, qRgb(0, 128, 128)},
        {10, qRgb(0, 128, 0)}, {12, qRgb(255, 0, 0)},   {9, qRgb(0, 0, 255)},
        {7, qRgb(64, 64, 64)}, {13, qRgb(255, 0, 255)}, {0, qRgb(0, 0, 0)},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const float x = static_cast<float>(15 * (10 + 2 * i));
        surface.PSet(x, 15 * 10, rows[i].first);
        EXPECT_EQ(surface.image().pixel(10 + 2 * static_cast<int>(i), 10), rows[i].second)
            << rows[i].first;
    }
    EXPECT_EQ(surface.image().pixel(5, 5), qRgb(255, 255, 255));
    surface.Cls();
    plot::DrawAxes(surface, -10, 10, -10, 10, plot::kFalse);
    EXPECT_EQ(surface.image().pixel(200, 154), qRgb(64, 64, 64)); // on the x axis
    EXPECT_EQ(surface.image().pixel(200, 100), qRgb(255, 255, 255));
}

// Pixels of colour away from the drawing's left and right edges, where a
// wide dot would be cut.
int inner(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 10; x < image.width() - 10; ++x)
            count += (image.pixel(x, y) | 0xFF000000u) == colour;
    return count;
}

TEST_F(AppearanceTest, TheThicknessIsTheSizeOfEveryDotOnScreenAndInTheSvg) {
    window.areaDialog()->setRangeTexts({"-10", "10", "-10", "10", "1"});
    const QRgb green = qRgb(0, 255, 0);
    int single = 0;
    for (int thickness = 1; thickness <= 4; ++thickness) {
        SCOPED_TRACE(thickness);
        looks().apply({.thickness = thickness});
        drawExpression("x/2");
        const int shown = inner(graph()->image(), green);
        if (thickness == 1)
            single = shown;
        EXPECT_EQ(shown, single * thickness * thickness);
        // The x axis (row 154) stays one pixel wide.
        EXPECT_EQ(graph()->image().pixel(100, 153), qRgb(0, 0, 0));
        EXPECT_EQ(inner(renderSvg(plotSvg(*graph()), graph()->image().size()), green), shown);
    }
    EXPECT_EQ(single, 19); // x = -9 .. 9
}

TEST_F(AppearanceTest, GridLinesAreInTheSvgAsOnTheScreen) {
    child<QAction>("GrigliaM")->trigger();
    for (const Background background : {Background::Black, Background::White}) {
        looks().apply({.background = background, .grid = plot::GridStyle::Lines});
        drawExpression("sin(x)");
        const QRgb axes = plot::shownColourArgb(plot::kAxesColour, background);
        const int shown = inner(graph()->image(), axes);
        EXPECT_GT(shown, 10 * 400); // at least ten lines across
        EXPECT_EQ(inner(renderSvg(plotSvg(*graph()), graph()->image().size()), axes), shown);
    }
}

TEST(AppearanceNumbers, BiggerNumbersGrowAndStillKeepApart) {
    const QLocale italian(QLocale::Italian);
    const struct {
        double xmin, xmax, ymin, ymax;
        QSize size;
    } cases[] = {{-10, 10, -10, 10, {446, 310}}, {-1000, 1000, 0, 1, {1024, 700}}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.xmax);
        const plot::PlotFrame f{
            .Xmin = k.xmin, .Ymax = k.ymax, .RangeX = k.xmax - k.xmin, .RangeY = k.ymax - k.ymin};
        double height = 0;
        for (const auto size : {plot::AxisNumberSize::Small, plot::AxisNumberSize::Medium,
                                plot::AxisNumberSize::Large}) {
            const AxisNumbers n = layoutAxisNumbers(f, PlotMapping().resized(k.size),
                                                    QFontMetricsF(axisNumberFont(size)), italian);
            ASSERT_GE(n.x.size(), 2u);
            ASSERT_GE(n.y.size(), 2u);
            EXPECT_GT(n.x.front().box.height(), height);
            height = n.x.front().box.height();
            std::vector<AxisNumber> all = n.x;
            all.insert(all.end(), n.y.begin(), n.y.end());
            for (std::size_t i = 0; i < all.size(); ++i)
                for (std::size_t j = i + 1; j < all.size(); ++j)
                    EXPECT_FALSE(all[i].box.intersects(all[j].box)) << all[i].text.toStdString();
        }
    }
}

TEST_F(AppearanceTest, TheDialogAppliesOnOkAndNothingOnAnnulla) {
    child<QAction>("aspetto")->trigger();
    auto* dialog = child<AppearanceDialog>("aspetto");
    ASSERT_TRUE(dialog && dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Aspetto");
    const std::pair<const char*, const char*> names[] = {{"sfondo", "Sfondo"},
                                                         {"spessore", "Spessore delle curve"},
                                                         {"lineeContinue", "Linee continue"},
                                                         {"numeriAssi", "Numeri sugli assi"},
                                                         {"griglia", "Griglia"}};
    for (const auto& [name, spoken] : names)
        EXPECT_EQ(dialog->findChild<QWidget*>(name)->accessibleName(), spoken) << name;
    const auto choose = [&] {
        dialog->findChild<QComboBox*>("sfondo")->setCurrentText("Bianco");
        dialog->findChild<QSpinBox*>("spessore")->setValue(2);
        dialog->findChild<QCheckBox*>("lineeContinue")->setChecked(true);
        dialog->findChild<QComboBox*>("numeriAssi")->setCurrentText("Medi");
        dialog->findChild<QComboBox*>("griglia")->setCurrentText("Linee");
    };
    const auto press = [&](QDialogButtonBox::StandardButton which, const char* caption) {
        QPushButton* button = dialog->findChild<QDialogButtonBox*>()->button(which);
        EXPECT_EQ(button->text(), caption);
        button->click();
    };
    choose();
    press(QDialogButtonBox::Cancel, "Annulla");
    EXPECT_EQ(looks().appearance(), Appearance{});
    EXPECT_EQ(graph()->background(), Background::Black);

    child<QAction>("aspetto")->trigger();
    EXPECT_EQ(dialog->appearance(), Appearance{}); // opened on what applies
    choose();
    press(QDialogButtonBox::Ok, "OK");
    const Appearance chosen{Background::White, 2, true, plot::AxisNumberSize::Medium,
                            plot::GridStyle::Lines};
    EXPECT_EQ(looks().appearance(), chosen);
    EXPECT_EQ(graph()->background(), Background::White);
    // The legend's swatch shows the green the curve is drawn in there.
    EXPECT_EQ(child<LegendSwatch>("Shape1")->fillColor(), QColor(0, 128, 0));
}

TEST_F(AppearanceTest, NothingChangesWhileADrawRuns) {
    child<QAction>("disegnoVeloce")->trigger(); // a slow draw, yielding at every sample
    duringDraw([&] {
        EXPECT_FALSE(child<QAction>("aspetto")->isEnabled());
        EXPECT_FALSE(looks().apply({.background = Background::White}));
        pressButton("Stopim");
    });
    drawExpression("x");
    EXPECT_TRUE(child<QAction>("aspetto")->isEnabled());
    EXPECT_EQ(graph()->background(), Background::Black);
}

} // namespace
} // namespace curvalia::ui
