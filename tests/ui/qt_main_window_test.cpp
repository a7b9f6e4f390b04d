// The main window through its real widgets: start state, menus and legend,
// hover highlighting, the speed switch, and drawing by a real click.
#include "qt_main_input_support.h"
#include "ui/AreaDialog.h"
#include "ui/LegendSwatch.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct MainWindowTest : MainWindowRig {
    QAction* action(const char* name) { return child<QAction>(name); }
    LegendSwatch* swatch(const char* name) { return child<LegendSwatch>(name); }
    QString status() { return child<QLabel>("StatusBar")->text(); }
};

TEST_F(MainWindowTest, StartsWithTheDocumentedState) {
    EXPECT_EQ(window.windowTitle(), "Curvalia Light v1.1");
    EXPECT_EQ(window.centralWidget()->size(), QSize(518, 429));
    EXPECT_EQ(fx()->geometry(), QRect(12, 360, 441, 21));
    const plot::PlotSwitches& sw = window.switches();
    EXPECT_EQ(std::vector<int>({sw.CurveColor, sw.ClearBeforePlot, sw.GridOn, sw.YieldEachSample}),
              std::vector<int>({10, -1, 0, 0}));
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
    // The expression box refuses the 151st character.
    fx()->setFocus();
    typeText(fx(), QString(151, QLatin1Char('1')));
    EXPECT_EQ(fx()->text().size(), 150);
}

TEST_F(MainWindowTest, CaptionsAndToolTipsAreTheProgramsOwn) {
    using Texts = std::pair<const char*, const char*>;
    for (const auto& [name, caption] :
         {Texts{"coloreG", "&Colore del Grafico..."}, Texts{"derivat", "&Grafici..."},
          Texts{"in", "&?"}, Texts{"derpri", "&Derivata Prima"}, Texts{"Uscita", "&Uscita"},
          Texts{"GrigliaM", "Stampa Griglia"}, Texts{"noncancellare", "&Non Cancellare"},
          Texts{"credits", "Credits"}, Texts{"Label1", "Espressione della funzione f(x):"},
          Texts{"Label3", "f'(x)"}}) {
        QObject* o = window.findChild<QObject*>(QString::fromLatin1(name));
        ASSERT_NE(o, nullptr) << name;
        const char* property = qobject_cast<QMenu*>(o) ? "title" : "text";
        EXPECT_EQ(o->property(property).toString(), QString::fromUtf8(caption)) << name;
    }
    for (const auto& [name, tip] :
         {Texts{"penna_bn", "Disegna"}, Texts{"penna", "Disegna la funzione"},
          Texts{"Stopim", "STOP!"}, Texts{"Lente", "Controlla valore"},
          Texts{"Image2", "Speed Attivato"}, Texts{"Image1", "Speed Disattivato"},
          Texts{"Label3", "Derivata Prima"}})
        EXPECT_EQ(child(name)->toolTip(), QString::fromUtf8(tip)) << name;
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
    const auto shown = [this](const char* name) { return picture(name)->isVisible(); };
    moveOver(picture("penna_bn"));
    EXPECT_TRUE(shown("penna") && !shown("penna_bn"));
    // Another button takes the highlight over; moving on the twin keeps it.
    moveOver(picture("Lente_bn"));
    EXPECT_TRUE(shown("Lente") && shown("penna_bn") && !shown("penna"));
    moveOver(picture("Lente"));
    EXPECT_TRUE(shown("Lente"));
    // Leaving downwards onto the status area keeps the highlight.
    moveOver(child("Frame1"));
    moveOver(child("StatusBar"));
    EXPECT_TRUE(shown("Lente"));
    for (const char* resetter : {"Graph", "Frame2", "Label1"}) {
        moveOver(picture("Stop_bn"));
        ASSERT_TRUE(shown("Stopim"));
        moveOver(child(resetter));
        EXPECT_TRUE(!shown("Stopim") && shown("Stop_bn")) << resetter;
    }
    // Speed pictures have no hover of their own.
    moveOver(picture("Image2"));
    EXPECT_TRUE(shown("Image2"));
}

double meanBrightness(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y)) * qAlpha(image.pixel(x, y)) / 255.0;
    return sum / (image.width() * image.height());
}

TEST_F(MainWindowTest, PicturesAreSharpAtRatioTwoAndTwinsAreBrighter) {
    for (const auto& [normal, twin] : {std::pair{"penna_bn", "penna"},
                                       {"Stop_bn", "Stopim"},
                                       {"Impostazioni_bn", "Impostazioni"},
                                       {"Lente_bn", "Lente"},
                                       {"Image1", "Image1"},
                                       {"Image2", "Image2"}}) {
        const QImage plain = picture(normal)->renderedImage(2.0);
        // Drawn at 64 x 64 device pixels, not a 32-pixel bitmap scaled up.
        EXPECT_EQ(plain.size(), QSize(64, 64)) << normal;
        EXPECT_EQ(plain.devicePixelRatio(), 2.0) << normal;
        EXPECT_GT(meanBrightness(plain), 100) << normal;
        if (std::string_view(normal) != twin) {
            EXPECT_GT(meanBrightness(picture(twin)->renderedImage(2.0)), meanBrightness(plain) + 10)
                << twin;
        }
    }
    EXPECT_NE(picture("Image1")->renderedImage(1.0), picture("Image2")->renderedImage(1.0));
}

TEST_F(MainWindowTest, StopWhileIdleOnlyEmptiesTheStatusAndDrawsUseTheSwitches) {
    fx()->setText("x+");
    pressButton("penna_bn", "penna");
    ASSERT_FALSE(status().isEmpty()); // the syntax checker's message
    pressButton("Stop_bn", "Stopim");
    EXPECT_TRUE(status().isEmpty());
    // The next draw clears the stop and draws in full.
    fx()->setText("x");
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
