#include "ui/SplashWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>

namespace curvalia::ui {
namespace {

// A splash with a stand-in main window shown on dismissal, as the program does.
struct SplashRig {
    SplashWindow splash;
    QWidget mainWindow;
    int dismissals = 0;
    bool mainUpFirst = false;

    SplashRig() {
        QObject::connect(&splash, &SplashWindow::dismissed, [this] {
            ++dismissals;
            mainWindow.show();
        });
        QObject::connect(&splash, &QDialog::finished,
                         [this] { mainUpFirst = mainWindow.isVisible(); });
        splash.show();
    }
    ~SplashRig() { mainWindow.close(); }
    QWidget* child(const char* name) { return splash.findChild<QWidget*>(name); }
    void press(int key, const char* text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier, QString::fromLatin1(text));
            QApplication::sendEvent(&splash, &event);
        }
    }
};

// Press on one widget and release on another, as a drag between them does.
void click(QWidget* target, QPoint pos, Qt::MouseButton button = Qt::LeftButton,
           QWidget* releaseOn = nullptr) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), target->mapToGlobal(QPointF(pos)),
                      button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QWidget* to = releaseOn ? releaseOn : target;
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), to->mapToGlobal(QPointF(pos)),
                        button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(to, &release);
}

TEST(Splash, OnlyKeysThatProduceACharacterHandOverOnceWithTheMainWindowUpFirst) {
    struct Key {
        int key;
        const char* text;
        bool handsOver;
    };
    for (const Key& k :
         {Key{Qt::Key_Up, "", false}, Key{Qt::Key_Shift, "", false}, Key{Qt::Key_F1, "", false},
          Key{Qt::Key_Return, "\r", true}, Key{Qt::Key_Escape, "\x1b", true},
          Key{Qt::Key_Space, " ", true}, Key{Qt::Key_7, "7", true}}) {
        SplashRig rig;
        rig.press(k.key, k.text);
        if (k.handsOver)
            rig.press(Qt::Key_A, "a"); // never a second hand-over
        EXPECT_EQ(rig.dismissals, k.handsOver ? 1 : 0) << k.key;
        EXPECT_EQ(rig.splash.isVisible(), !k.handsOver) << k.key;
        EXPECT_EQ(rig.mainUpFirst, k.handsOver) << k.key;
    }
}

TEST(Splash, OnlyALeftClickOnTheBarePanelHandsOverAndOnlyOnce) {
    SplashRig rig;
    QWidget* frame = rig.child("Frame1");
    for (const char* name :
         {"lblProductName", "Label1", "lblVersion", "lblPlatform", "lblDate", "Image1", "Image2"}) {
        QWidget* w = rig.child(name);
        ASSERT_NE(w, nullptr) << name;
        click(w, QPoint(w->width() / 2, w->height() / 2));
        EXPECT_EQ(rig.dismissals, 0) << name;
    }
    // Pressed on a label, released on the panel: not a click on the panel.
    click(rig.child("lblProductName"), QPoint(4, 4), Qt::LeftButton, frame);
    const QPoint bare(frame->width() / 2, 4);
    ASSERT_EQ(frame->childAt(bare), nullptr);
    click(frame, bare, Qt::RightButton);
    EXPECT_EQ(rig.dismissals, 0);
    click(frame, bare);
    rig.press(Qt::Key_B, "b");
    EXPECT_EQ(rig.dismissals, 1);
    EXPECT_TRUE(rig.mainUpFirst);
}

TEST(Splash, FramelessCentredAndOnTop) {
    SplashWindow splash;
    splash.show();
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.frameGeometry().center(), splash.screen()->availableGeometry().center());
}

} // namespace
} // namespace curvalia::ui
