// The main window through its real widgets: start state, menus and legend,
// hover highlighting, the speed switch.
#include "qt_main_input_support.h"
#include "ui/AreaDialog.h"
#include "ui/LegendSwatch.h"

#include <QAction>
#include <QLabel>

#include <set>
#include <string>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct MainWindowTest : MainWindowRig {
    QAction* action(const char* name) { return child<QAction>(name); }
    LegendSwatch* swatch(const char* name) { return child<LegendSwatch>(name); }
    QString status() { return child<QLabel>("StatusBar")->text(); }
};

TEST_F(MainWindowTest, StartsWithTheProgramsState) {
    const plot::PlotSwitches& sw = window.switches();
    EXPECT_EQ(std::vector<int>({sw.CurveColor, sw.ClearBeforePlot, sw.GridOn, sw.YieldEachSample}),
              std::vector<int>({10, -1, 0, 0}));
    const std::set<std::string> on = {"verde", "funzione", "penna_bn", "Image2"};
    for (const char* name : {"verde", "funzione", "giallo", "derpri", "GrigliaM", "noncancellare"})
        EXPECT_EQ(action(name)->isChecked(), on.count(name) > 0) << name;
    for (const char* name : {"penna_bn", "penna", "Image2", "Image1"})
        EXPECT_EQ(picture(name)->isVisible(), on.count(name) > 0) << name;
    EXPECT_EQ(swatch("Shape1")->fillStyle(), LegendSwatch::kSolid);
    EXPECT_EQ(swatch("Shape2")->fillColor(), QColor(255, 0, 0));
    EXPECT_EQ(swatch("Shape2")->fillStyle(), LegendSwatch::kTransparent);
    EXPECT_TRUE(status().isEmpty());
    EXPECT_FALSE(window.areaDialog()->isVisible());
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
        click(picture(odd ? "Image2" : "Image1"));
        EXPECT_EQ(window.switches().YieldEachSample, odd ? -1 : 0);
        EXPECT_EQ(picture("Image1")->isVisible(), odd);
        EXPECT_EQ(picture("Image2")->isVisible(), !odd);
    }
}

TEST_F(MainWindowTest, HoverHighlightsOneButtonUntilTheFrameOrPlotIsCrossed) {
    const auto shown = [this](const char* name) { return picture(name)->isVisible(); };
    moveOver(picture("penna_bn"));
    EXPECT_TRUE(shown("penna") && !shown("penna_bn"));
    // Another button takes the highlight over; moving on the twin keeps it,
    // and so does leaving downwards onto the status area.
    moveOver(picture("Lente_bn"));
    EXPECT_TRUE(shown("Lente") && shown("penna_bn") && !shown("penna"));
    for (const char* keeper : {"Lente", "Frame1", "StatusBar"})
        moveOver(child(keeper));
    EXPECT_TRUE(shown("Lente"));
    for (const char* resetter : {"Graph", "Frame2", "Label1"}) {
        moveOver(picture("Stop_bn"));
        ASSERT_TRUE(shown("Stopim"));
        moveOver(child(resetter));
        EXPECT_TRUE(!shown("Stopim") && shown("Stop_bn")) << resetter;
    }
    moveOver(picture("Image2")); // speed pictures have no hover of their own
    EXPECT_TRUE(shown("Image2"));
}

TEST_F(MainWindowTest, PicturesAreDrawnAtTheDeviceRatioNotScaledUp) {
    for (const char* name : {"penna", "Image1"}) {
        const QImage image = picture(name)->renderedImage(2.0);
        EXPECT_EQ(image.size(), QSize(64, 64)) << name;
        EXPECT_EQ(image.devicePixelRatio(), 2.0) << name;
    }
    EXPECT_NE(picture("penna")->renderedImage(1.0), picture("penna_bn")->renderedImage(1.0));
    EXPECT_NE(picture("Image1")->renderedImage(1.0), picture("Image2")->renderedImage(1.0));
}

TEST_F(MainWindowTest, StopWhileIdleOnlyEmptiesTheStatusAndDrawsUseTheSwitches) {
    fx()->setText("x+");
    pressButton("penna_bn", "penna");
    ASSERT_FALSE(status().isEmpty()); // the syntax checker's message
    pressButton("Stop_bn", "Stopim");
    EXPECT_TRUE(status().isEmpty());
    fx()->setText("x"); // the stop is forgotten: drawn in full
    pressButton("penna_bn", "penna");
    EXPECT_GT(pixelsOfColour(qRgb(0, 255, 0)), 300);
    action("giallo")->trigger();
    action("derpri")->trigger();
    pressButton("penna_bn", "penna");
    EXPECT_GT(pixelsOfColour(qRgb(255, 255, 0)), 300);
    EXPECT_GT(pixelsOfColour(qRgb(255, 0, 0)), 300);
    EXPECT_EQ(pixelsOfColour(qRgb(0, 255, 0)), 0);
    EXPECT_TRUE(status().isEmpty());
}

} // namespace
} // namespace curvalia::ui
