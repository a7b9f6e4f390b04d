// The route to the screen reader: what Orca is known to speak (a notification
// shown in a status bar) is raised once per text, and nothing a sighted user
// sees or the focus changes. Qt raises accessibility events only with a live
// bridge, so this runs with the AT-SPI bus (e2e/accessibility_bus.sh).
#include "ui/host/ScreenReaderRoute.h"
#include "ui/host/StatusLine.h"

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
// role and name, its parent's role and its grandparent, read as it is raised.
struct Raised {
    QAccessible::Event type;
    QAccessible::Role role;
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
    raised.push_back({event->type(), iface->role(), iface->text(QAccessible::Name),
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

    // Everything a user could notice: the picture, the focus, the widgets.
    struct Look {
        QImage picture;
        QWidget* focus;
        qsizetype widgets;
    };
    Look look() {
        QApplication::processEvents();
        return {window.grab().toImage(), window.focusWidget(),
                window.findChildren<QWidget*>().size()};
    }
    // The window as it settles on the display (activated, painted): taken
    // until two looks in a row agree.
    Look settled() {
        window.activateWindow();
        QElapsedTimer clock;
        clock.start();
        while (!window.isActiveWindow() && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        Look last = look();
        for (int i = 0; i < 100; ++i) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
            Look now = look();
            if (now.picture == last.picture && now.focus == last.focus)
                return now;
            last = now;
        }
        return last;
    }
};

TEST_F(ScreenReaderRoute, EachTextIsANotificationShownInAStatusBarOfTheWindow) {
    auto reader = makeScreenReader(window);
    QAccessible::installUpdateHandler(record);
    // The same text twice is spoken twice: leaving one out is not the route's choice.
    const char* said[] = {"Operatore non riconosciuto... sen", "Campi errati", "Campi errati"};
    for (const char* text : said)
        reader->speak(QString::fromUtf8(text));
    reader->speak(QString()); // nothing to say

    ASSERT_EQ(raised.size(), 3u);
    for (std::size_t i = 0; i < raised.size(); ++i) {
        EXPECT_EQ(raised[i].type, QAccessible::ObjectShow);
        EXPECT_EQ(raised[i].role, QAccessible::Notification);
        EXPECT_EQ(raised[i].name, QString::fromUtf8(said[i]));
        EXPECT_EQ(raised[i].parentRole, QAccessible::StatusBar);
        EXPECT_EQ(raised[i].grandparent, &window);
    }
}

TEST_F(ScreenReaderRoute, SpeakingChangesNothingShownAndKeepsTheFocus) {
    auto reader = makeScreenReader(window);
    const Look before = settled();
    for (int i = 0; i < 40; ++i) // past the texts kept for the reader
        reader->speak(QStringLiteral("Disegno terminato"));
    const Look after = look();

    EXPECT_EQ(after.picture, before.picture);
    EXPECT_EQ(after.focus, field);
    EXPECT_EQ(after.widgets, before.widgets);
    EXPECT_EQ(status->text(), QStringLiteral("Campi errati"));
}

TEST_F(ScreenReaderRoute, TheStatusLineSpeaksWhatItShowsAndNothingForAnEmptyLine) {
    auto reader = makeScreenReader(window);
    StatusLine line(*status, reader.get());
    QAccessible::installUpdateHandler(record);
    line.write(StatusOwner::Draw, "Campi errati");
    line.write(StatusOwner::Draw, "");

    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].name, QStringLiteral("Campi errati"));
    EXPECT_TRUE(status->text().isEmpty());
}

} // namespace
} // namespace curvalia::ui
