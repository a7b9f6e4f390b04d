// The "Valore" window through its real widgets: locale of the output and
// refusal while a draw runs.
#include "calc/ValueWindow.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

namespace curvalia::calc {
namespace {

struct Rig {
    explicit Rig(std::string expression)
        : window(
              engine, [this, expression] { return ++expressionReads, expression; },
              [this](std::string_view m) { status = m; }, [this] { return status; }) {}
    QString field(const char* name) { return window.findChild<QLineEdit*>(name)->text(); }
    void calculateAt(const QString& x) {
        window.findChild<QLineEdit*>("VX")->setText(x);
        window.findChild<QPushButton*>("Command1")->click();
    }
    void pressReturnInX() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(window.findChild<QLineEdit*>("VX"), &press);
    }

    engine::Engine engine;
    int expressionReads = 0;
    std::string status;
    ValueWindow window;
};

TEST(ValueWindow, OutputFollowsTheLocaleInputDoesNot) {
    const QLocale saved;
    for (const auto& [locale, VY, DPrima, Angolo] :
         {std::tuple{QLocale(QLocale::Italian, QLocale::Italy), "1001,16666", "0,99999", "44,999"},
          std::tuple{QLocale::c(), "1001.16666", "0.99999", "44.999"}}) {
        QLocale::setDefault(locale);
        Rig rig("2/3+x");
        rig.calculateAt("1000.5");
        EXPECT_EQ(rig.field("VY"), VY);
        EXPECT_EQ(rig.field("DPrima"), DPrima);
        EXPECT_EQ(rig.field("Angolo"), Angolo);
    }
    QLocale::setDefault(saved);
}

TEST(ValueWindow, RefusesWhileDisabledAndLeavesFieldsAlone) {
    Rig rig("x");
    rig.calculateAt("2");
    ASSERT_EQ(rig.field("VY"), "2");
    const int reads = rig.expressionReads;
    const auto itemCount = rig.engine.ItemCount;
    rig.window.setCalculateEnabled(false);
    rig.calculateAt("5");
    rig.pressReturnInX();
    rig.window.calculate();
    EXPECT_EQ(rig.field("VY"), "2");
    EXPECT_EQ(rig.expressionReads, reads);
    EXPECT_EQ(rig.engine.ItemCount, itemCount);
    // Enabled again, Enter in x calculates.
    rig.window.setCalculateEnabled(true);
    rig.pressReturnInX();
    EXPECT_EQ(rig.field("VY"), "5");
}

} // namespace
} // namespace curvalia::calc
