// The events a screen reader follows, which Qt raises only with a live
// accessibility bridge: run under a display with the AT-SPI bus
// (e2e/accessibility_bus.sh). The status line announces each new text, the
// speed switch its new state.
#include "support/qt_main_input_support.h"
#include "ui/windows/AreaDialog.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>
#include <utility>
#include <vector>

namespace curvalia::ui {
namespace {

using namespace curvalia::ui::testing;

// Name changes as the handler saw them: the object and its name then.
std::vector<std::pair<QObject*, QString>> nameChanges;

void recordNameChange(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    if (event->type() == QAccessible::NameChanged)
        nameChanges.emplace_back(event->object(),
                                 iface ? iface->text(QAccessible::Name) : QString());
}

bool announced(QObject* object, const QString& name) {
    return std::find(nameChanges.begin(), nameChanges.end(), std::pair(object, name)) !=
           nameChanges.end();
}

TEST(AccessibilityBus, StatusLineAndSpeedSwitchAnnounceWhatTheyNowSay) {
    // The bridge connects to the bus in the background.
    QElapsedTimer clock;
    clock.start();
    while (!QAccessible::isActive() && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(QAccessible::isActive()) << "no accessibility bridge on this display";

    MainWindow window;
    window.show();
    QAccessible::installUpdateHandler(recordNameChange);
    auto* status = window.findChild<QLabel*>("StatusBar");
    auto* fx = window.findChild<QLineEdit*>("MyFx");
    auto* draw = window.findChild<PictureButton*>("penna");
    auto* speed = window.findChild<PictureButton*>("speedSwitch");

    fx->setText("x+");
    draw->click();
    const QString checkerMessage = status->text();
    window.areaDialog()->findChild<QLineEdit*>("XmaxTXT")->setText("-20");
    draw->click();
    speed->click();
    QAccessible::installUpdateHandler(nullptr);

    ASSERT_FALSE(checkerMessage.isEmpty());
    for (const QString& text : {QStringLiteral("Analisi espressione in corso..."), checkerMessage,
                                QStringLiteral("Campi errati")})
        EXPECT_TRUE(announced(status, text)) << text.toStdString();
    EXPECT_TRUE(announced(speed, QStringLiteral("Speed Disattivato")));
}

} // namespace
} // namespace curvalia::ui
