// The main window through its real widgets: start state, menus and legend,
// hover highlighting, the speed switch, and drawing by a real click.
#include "ui/MainWindow.h"

#include "qt_main_input_support.h"
#include "ui/AreaDialog.h"
#include "ui/LegendSwatch.h"
#include "ui/PictureButton.h"
#include "ui/PlotSurfaceWidget.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <gtest/gtest.h>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct MainWindowTest : ::testing::Test {
    MainWindowTest() { window.show(); }

    template <class T = QWidget> T* child(const char* name) {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* action(const char* name) { return child<QAction>(name); }
    PictureButton* picture(const char* name) { return child<PictureButton>(name); }
    LegendSwatch* swatch(const char* name) { return child<LegendSwatch>(name); }
    QString status() { return child<QLabel>("StatusBar")->text(); }

    int pixelsOfColour(QRgb colour) {
        const QImage& image = child<PlotSurfaceWidget>("Graph")->image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += (image.pixel(x, y) | 0xFF000000u) == colour;
        return count;
    }

    MainWindow window;
};

TEST_F(MainWindowTest, StartsWithTheDocumentedState) {
    EXPECT_EQ(window.windowTitle(), "Curvalia Light v1.1");
    EXPECT_EQ(window.centralWidget()->size(), QSize(518, 429));
    EXPECT_EQ(window.switches().CurveColor, 10);
    EXPECT_EQ(window.switches().ClearBeforePlot, -1);
    EXPECT_EQ(window.switches().GridOn, 0);
    EXPECT_EQ(window.switches().YieldEachSample, 0);

    for (const char* name : {"verde", "funzione"})
        EXPECT_TRUE(action(name)->isChecked()) << name;
    for (const char* name :
         {"azzurro", "bianco", "giallo", "blu", "derpri", "GrigliaM", "noncancellare"})
        EXPECT_FALSE(action(name)->isChecked()) << name;

    EXPECT_EQ(swatch("Shape1")->fillColor(), QColor(0, 255, 0));
    EXPECT_EQ(swatch("Shape1")->fillStyle(), LegendSwatch::kSolid);
    EXPECT_EQ(swatch("Shape2")->fillColor(), QColor(255, 0, 0));
    EXPECT_EQ(swatch("Shape2")->fillStyle(), LegendSwatch::kTransparent);

    for (const char* name : {"penna_bn", "Stop_bn", "Impostazioni_bn", "Lente_bn", "Image2"})
        EXPECT_TRUE(picture(name)->isVisible()) << name;
    for (const char* name : {"penna", "Stopim", "Impostazioni", "Lente", "Image1"})
        EXPECT_FALSE(picture(name)->isVisible()) << name;
    EXPECT_TRUE(status().isEmpty());
    EXPECT_FALSE(window.areaDialog()->isVisible());

    EXPECT_EQ(child<QLineEdit>("MyFx")->geometry(), QRect(12, 360, 441, 21));
}

TEST_F(MainWindowTest, CaptionsAndToolTipsAreTheProgramsOwn) {
    const std::pair<const char*, const char*> menus[] = {
        {"menu", "Menu"},
        {"coloreG", "&Colore del Grafico..."},
        {"derivat", "&Grafici..."},
        {"optionx", "Opzioni"},
        {"in", "&?"},
    };
    for (const auto& [name, caption] : menus)
        EXPECT_EQ(child<QMenu>(name)->title(), QString::fromUtf8(caption)) << name;
    const std::pair<const char*, const char*> entries[] = {
        {"verde", "Verde"},
        {"azzurro", "Azzurro"},
        {"bianco", "Bianco"},
        {"giallo", "Giallo"},
        {"blu", "Blu"},
        {"funzione", "&Funzione"},
        {"derpri", "&Derivata Prima"},
        {"Uscita", "&Uscita"},
        {"GrigliaM", "Stampa Griglia"},
        {"noncancellare", "&Non Cancellare"},
        {"credits", "Credits"},
        {"help", "&Help"},
    };
    for (const auto& [name, caption] : entries)
        EXPECT_EQ(action(name)->text(), QString::fromUtf8(caption)) << name;

    const std::pair<const char*, const char*> tips[] = {
        {"penna_bn", "Disegna"},
        {"penna", "Disegna la funzione"},
        {"Stop_bn", "Stop!"},
        {"Stopim", "STOP!"},
        {"Impostazioni_bn", "Impostazioni"},
        {"Impostazioni", "Imposta gli assi"},
        {"Lente_bn", "Valore di y"},
        {"Lente", "Controlla valore"},
        {"Image2", "Speed Attivato"},
        {"Image1", "Speed Disattivato"},
        {"Label2", "Funzione"},
        {"Label3", "Derivata Prima"},
    };
    for (const auto& [name, tip] : tips)
        EXPECT_EQ(child(name)->toolTip(), QString::fromUtf8(tip)) << name;
    EXPECT_EQ(child<QLabel>("Label1")->text(), "Espressione della funzione f(x):");
    EXPECT_EQ(child<QLabel>("Label3")->text(), "f'(x)");
}

TEST_F(MainWindowTest, ColoursActAsOneGroup) {
    const struct {
        const char* entry;
        int number;
        QColor colour;
    } colours[] = {
        {"giallo", 14, QColor(255, 255, 0)},   {"azzurro", 11, QColor(0, 255, 255)},
        {"bianco", 15, QColor(255, 255, 255)}, {"blu", 9, QColor(0, 0, 255)},
        {"blu", 9, QColor(0, 0, 255)}, // the checked entry again stays checked
        {"verde", 10, QColor(0, 255, 0)},
    };
    for (const auto& c : colours) {
        action(c.entry)->trigger();
        EXPECT_EQ(window.switches().CurveColor, c.number) << c.entry;
        EXPECT_EQ(swatch("Shape1")->fillColor(), c.colour) << c.entry;
        for (const char* other : {"verde", "azzurro", "bianco", "giallo", "blu"})
            EXPECT_EQ(action(other)->isChecked(), std::string(other) == c.entry)
                << c.entry << " " << other;
    }
    EXPECT_EQ(swatch("Shape2")->fillColor(), QColor(255, 0, 0));
}

TEST_F(MainWindowTest, SwitchesToggleTogetherWithTheirMarksAndPictures) {
    action("funzione")->trigger();
    EXPECT_FALSE(action("funzione")->isChecked());
    EXPECT_EQ(swatch("Shape1")->fillStyle(), LegendSwatch::kTransparent);
    action("derpri")->trigger();
    EXPECT_TRUE(action("derpri")->isChecked());
    EXPECT_EQ(swatch("Shape2")->fillStyle(), LegendSwatch::kSolid);
    action("funzione")->trigger();
    EXPECT_EQ(swatch("Shape1")->fillStyle(), LegendSwatch::kSolid);

    for (int round = 1; round <= 2; ++round) {
        action("GrigliaM")->trigger();
        action("noncancellare")->trigger();
        const bool odd = round % 2 == 1;
        EXPECT_EQ(action("GrigliaM")->isChecked(), odd);
        EXPECT_EQ(window.switches().GridOn, odd ? -1 : 0);
        EXPECT_EQ(action("noncancellare")->isChecked(), odd);
        EXPECT_EQ(window.switches().ClearBeforePlot, odd ? 0 : -1);
        // The speed switch: the visible picture tells the state.
        click(picture(odd ? "Image2" : "Image1"));
        EXPECT_EQ(window.switches().YieldEachSample, odd ? -1 : 0);
        EXPECT_EQ(picture("Image1")->isVisible(), odd);
        EXPECT_EQ(picture("Image2")->isVisible(), !odd);
    }
}

TEST_F(MainWindowTest, HoverHighlightsOneButtonUntilTheFrameOrPlotIsCrossed) {
    moveOver(picture("penna_bn"));
    EXPECT_TRUE(picture("penna")->isVisible());
    EXPECT_FALSE(picture("penna_bn")->isVisible());

    // Another button takes the highlight over.
    moveOver(picture("Lente_bn"));
    EXPECT_TRUE(picture("Lente")->isVisible());
    EXPECT_TRUE(picture("penna_bn")->isVisible());
    EXPECT_FALSE(picture("penna")->isVisible());

    // Moving on the highlighted twin keeps it.
    moveOver(picture("Lente"));
    EXPECT_TRUE(picture("Lente")->isVisible());

    // Leaving downwards onto the status area keeps the highlight.
    moveOver(child("Frame1"));
    moveOver(child("StatusBar"));
    EXPECT_TRUE(picture("Lente")->isVisible());

    for (const char* resetter : {"Graph", "Frame2", "Label1"}) {
        moveOver(picture("Stop_bn"));
        ASSERT_TRUE(picture("Stopim")->isVisible());
        moveOver(child(resetter));
        EXPECT_FALSE(picture("Stopim")->isVisible()) << resetter;
        EXPECT_TRUE(picture("Stop_bn")->isVisible()) << resetter;
    }
    // Speed pictures have no hover of their own.
    moveOver(picture("Image2"));
    EXPECT_TRUE(picture("Image2")->isVisible());
}

double meanBrightness(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y)) * qAlpha(image.pixel(x, y)) / 255.0;
    return sum / (image.width() * image.height());
}

TEST_F(MainWindowTest, PicturesAreSharpAtRatioTwoAndTwinsAreBrighter) {
    const std::pair<const char*, const char*> pairs[] = {{"penna_bn", "penna"},
                                                         {"Stop_bn", "Stopim"},
                                                         {"Impostazioni_bn", "Impostazioni"},
                                                         {"Lente_bn", "Lente"}};
    for (const auto& [normal, twin] : pairs) {
        const QImage plain = picture(normal)->renderedImage(2.0);
        const QImage bright = picture(twin)->renderedImage(2.0);
        // Drawn at 64 x 64 device pixels, not a 32-pixel bitmap scaled up.
        EXPECT_EQ(plain.size(), QSize(64, 64)) << normal;
        EXPECT_EQ(plain.devicePixelRatio(), 2.0) << normal;
        EXPECT_GT(meanBrightness(plain), 100) << normal;
        EXPECT_GT(meanBrightness(bright), meanBrightness(plain) + 10) << twin;
    }
    for (const char* speed : {"Image1", "Image2"})
        EXPECT_GT(meanBrightness(picture(speed)->renderedImage(2.0)), 100) << speed;
    EXPECT_NE(picture("Image1")->renderedImage(1.0), picture("Image2")->renderedImage(1.0));
}

TEST_F(MainWindowTest, ExpressionBoxRefusesThe151stCharacter) {
    auto* fx = child<QLineEdit>("MyFx");
    fx->setFocus();
    typeText(fx, QString(151, QLatin1Char('1')));
    EXPECT_EQ(fx->text().size(), 150);
}

TEST_F(MainWindowTest, StopWhileIdleOnlyEmptiesTheStatus) {
    child<QLineEdit>("MyFx")->setText("x+");
    moveOver(picture("penna_bn"));
    click(picture("penna"));
    ASSERT_FALSE(status().isEmpty()); // the syntax checker's message
    moveOver(picture("Stop_bn"));
    click(picture("Stopim"));
    EXPECT_TRUE(status().isEmpty());
    // The next draw clears the stop and draws in full.
    child<QLineEdit>("MyFx")->setText("x");
    moveOver(picture("penna_bn"));
    click(picture("penna"));
    EXPECT_GT(pixelsOfColour(qRgb(0, 255, 0)), 300);
}

TEST_F(MainWindowTest, DrawByClickUsesColourAndCurveSwitches) {
    child<QLineEdit>("MyFx")->setText("x");
    action("giallo")->trigger();
    action("derpri")->trigger();
    moveOver(picture("penna_bn"));
    click(picture("penna"));
    EXPECT_GT(pixelsOfColour(qRgb(255, 255, 0)), 300);
    EXPECT_GT(pixelsOfColour(qRgb(255, 0, 0)), 300);
    EXPECT_EQ(pixelsOfColour(qRgb(0, 255, 0)), 0);
    EXPECT_TRUE(status().isEmpty());
}

} // namespace
} // namespace curvalia::ui
