// The route to the screen reader: what Orca is known to speak (a notification
// shown in a status bar) is raised once per text, and nothing a sighted user
// sees or the focus changes. Qt raises accessibility events only with a live
// bridge, so this runs with the AT-SPI bus (e2e/accessibility_bus.sh).
#include "ui/host/ScreenReaderRoute.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <vector>

namespace curvalia::ui {
namespace {

// What the bridge would have been told of each notification: the event, its
// name, its parent's role and its grandparent, read as it is raised.
struct Raised {
    QAccessible::Event type;
    QString name;
    QAccessible::Role parentRole;
    QObject* grandparent;
};
std::vector<Raised> raised;

void record(QAccessibleEvent* event) {
    // The widgets' own events (a label's new text) are not the route's.
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!iface || iface->role() != QAccessible::Notification)
        return;
    QAccessibleInterface* up = iface->parent();
    QAccessibleInterface* top = up ? up->parent() : nullptr;
    raised.push_back({event->type(), iface->text(QAccessible::Name),
                      up ? up->role() : QAccessible::NoRole, top ? top->object() : nullptr});
}

struct ScreenReaderRoute : ::testing::Test {
    QWidget window;
    QLineEdit* field = new QLineEdit(QStringLiteral("-10"), &window);
    QLabel* status = new QLabel(QStringLiteral("Campi errati"), &window);

    void SetUp() override {
        // The bridge connects to the bus in the background.
        QElapsedTimer clock;
        clock.start();
        while (!QAccessible::isActive() && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_TRUE(QAccessible::isActive()) << "no accessibility bridge on this display";
        QApplication::setCursorFlashTime(0); // a blinking caret is no change
        auto* column = new QVBoxLayout(&window);
        column->addWidget(field);
        column->addWidget(status);
        window.show();
        field->setFocus();
        QApplication::processEvents();
        raised.clear();
    }
    void TearDown() override { QAccessible::installUpdateHandler(nullptr); }

    // The window as it settles on the display (activated, painted): drawn
    // until two pictures in a row agree.
    QImage settled() {
        window.activateWindow();
        QImage last;
        for (int i = 0; i < 100; ++i) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
            QImage now = window.grab().toImage();
            if (window.isActiveWindow() && now == last)
                break;
            last = now;
        }
        return last;
    }
};

TEST_F(ScreenReaderRoute, EachTextSpokenIsANotificationInAStatusBarOfTheWindow) {
    auto reader = makeScreenReader(window);
    QAccessible::installUpdateHandler(record);
    // The same text twice is spoken twice: leaving one out is not the route's choice.
    const char* said[] = {"Operatore non riconosciuto... sen", "Campi errati", "Campi errati"};
    for (const char* text : said)
        reader->speak(QString::fromUtf8(text));
    reader->speak(QString()); // nothing to say

    ASSERT_EQ(raised.size(), std::size(said));
    for (std::size_t i = 0; i < raised.size(); ++i) {
        EXPECT_EQ(raised[i].type, QAccessible::ObjectShow);
        EXPECT_EQ(raised[i].name, QString::fromUtf8(said[i]));
        EXPECT_EQ(raised[i].parentRole, QAccessible::StatusBar);
        EXPECT_EQ(raised[i].grandparent, &window);
    }
}

TEST_F(ScreenReaderRoute, SpeakingChangesNothingShownAndKeepsTheFocus) {
    auto reader = makeScreenReader(window);
    const QImage before = settled();
    const qsizetype widgets = window.findChildren<QWidget*>().size();
    for (int i = 0; i < 40; ++i) // past the texts kept for the reader
        reader->speak(QStringLiteral("Disegno terminato"));
    QApplication::processEvents();

    EXPECT_EQ(window.grab().toImage(), before);
    EXPECT_EQ(window.focusWidget(), field);
    EXPECT_EQ(window.findChildren<QWidget*>().size(), widgets);
    EXPECT_EQ(status->text(), QStringLiteral("Campi errati"));
}

} // namespace
} // namespace curvalia::ui
