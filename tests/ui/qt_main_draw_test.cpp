// The main window while a draw runs: what is disabled, what is refused, and
// how closing waits for the draw to stop; and exit closing every window.
#include "calc/ValueWindow.h"
#include "qt_main_input_support.h"
#include "ui/AreaDialog.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

struct MainDrawTest : MainWindowRig {
    MainDrawTest() { fx()->setText("x"); }

    QLineEdit* area(const char* name) { return window.areaDialog()->findChild<QLineEdit*>(name); }
    int greenPixelsRightOfCentre() {
        const int centre = child<PlotSurfaceWidget>("Graph")->image().width() / 2;
        return pixelsOfColour(qRgb(0, 255, 0), centre + 4);
    }
};

TEST_F(MainDrawTest, InputsAreDisabledDuringADrawAndEnabledAfter) {
    pressButton("Lente_bn", "Lente");
    calc::ValueWindow* calculator = window.valueWindow();
    ASSERT_NE(calculator, nullptr);
    calculator->findChild<QLineEdit*>("VX")->setText("3");
    auto* calculate = calculator->findChild<QPushButton*>("Command1");

    bool probed = false;
    duringDraw([&] {
        probed = true;
        EXPECT_FALSE(fx()->isEnabled());
        for (const char* name : {"Impostazioni", "Impostazioni_bn", "Lente", "Lente_bn"})
            EXPECT_FALSE(picture(name)->isEnabled()) << name;
        for (const char* name : {"XminTXT", "XmaxTXT", "YminTXT", "YmaxTXT", "PrecisioneTXT"})
            EXPECT_FALSE(area(name)->isEnabled()) << name;
        EXPECT_FALSE(calculate->isEnabled());
        // The draw and stop buttons, the speed switch and the menus stay usable.
        EXPECT_TRUE(picture("penna")->isEnabled());
        EXPECT_TRUE(picture("Stop_bn")->isEnabled());
        EXPECT_TRUE(child<QAction>("verde")->isEnabled());

        // "Calcola" cannot touch the engine under the draw.
        calculate->click();
        calculator->calculate();
        EXPECT_TRUE(calculator->findChild<QLineEdit*>("VY")->text().isEmpty());

        // A second draw is ignored: a nested one would have re-enabled the
        // inputs at its end.
        click(picture("penna"));
        EXPECT_TRUE(window.isDrawing());
        EXPECT_FALSE(fx()->isEnabled());
    });
    pressButton("penna_bn", "penna");
    EXPECT_TRUE(probed);
    EXPECT_FALSE(window.isDrawing());

    EXPECT_TRUE(fx()->isEnabled());
    for (const char* name : {"Impostazioni", "Impostazioni_bn", "Lente", "Lente_bn"})
        EXPECT_TRUE(picture(name)->isEnabled()) << name;
    EXPECT_TRUE(area("PrecisioneTXT")->isEnabled());
    EXPECT_TRUE(calculate->isEnabled());
    calculate->click();
    EXPECT_EQ(calculator->findChild<QLineEdit*>("VY")->text(), "3");
}

TEST_F(MainDrawTest, StopOrCloseDuringAYieldingDrawEndItEarly) {
    click(picture("Image2")); // yield after every sample
    area("PrecisioneTXT")->setText("0.0001");
    duringDraw([&] { pressButton("Stop_bn", "Stopim"); });
    pressButton("penna_bn", "penna");
    EXPECT_FALSE(window.isDrawing());
    EXPECT_EQ(greenPixelsRightOfCentre(), 0);
    EXPECT_TRUE(fx()->isEnabled());

    pressButton("Lente_bn", "Lente");
    duringDraw([&] {
        window.close();
        // Still open: the draw is on the stack and must unwind first.
        EXPECT_TRUE(window.isVisible());
    });
    pressButton("penna_bn", "penna");
    EXPECT_FALSE(window.isDrawing());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.valueWindow()->isVisible());
    EXPECT_EQ(greenPixelsRightOfCentre(), 0);
}

TEST_F(MainDrawTest, ExitClosesEveryWindowOfTheProgram) {
    pressButton("Impostazioni_bn", "Impostazioni");
    pressButton("Lente_bn", "Lente");
    QWidget aboutBox; // any other top-level window, such as the About box
    aboutBox.show();
    ASSERT_TRUE(window.areaDialog()->isVisible());
    ASSERT_TRUE(window.valueWindow()->isVisible());

    child<QAction>("Uscita")->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.areaDialog()->isVisible());
    EXPECT_FALSE(window.valueWindow()->isVisible());
    EXPECT_FALSE(aboutBox.isVisible());
}

TEST_F(MainDrawTest, CalculatorReadsTheExpressionAndWritesTheStatusLine) {
    fx()->setText("lge(x)");
    pressButton("Lente_bn", "Lente");
    for (const auto& [x, VY, status] :
         {std::tuple{"0,5", "Non definita!", "Usare il punto come separatore decimale"},
          std::tuple{"1", "0", ""}}) { // a clean x takes the warning away
        window.valueWindow()->findChild<QLineEdit*>("VX")->setText(x);
        window.valueWindow()->findChild<QPushButton*>("Command1")->click();
        EXPECT_EQ(window.valueWindow()->findChild<QLineEdit*>("VY")->text(), VY);
        EXPECT_EQ(child<QLabel>("StatusBar")->text(), status);
    }
}

} // namespace
} // namespace curvalia::ui
