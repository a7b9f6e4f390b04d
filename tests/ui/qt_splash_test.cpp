#include "ui/SplashWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace curvalia::ui {
namespace {

// A splash with a stand-in main window shown on dismissal, as the program does.
struct SplashRig {
    SplashWindow splash;
    QWidget mainWindow;
    int dismissals = 0;

    SplashRig() {
        QObject::connect(&splash, &SplashWindow::dismissed, [this] {
            ++dismissals;
            mainWindow.show();
        });
        splash.show();
    }
    ~SplashRig() { mainWindow.close(); }
    QWidget* child(const char* name) { return splash.findChild<QWidget*>(name); }
};

void pressKey(QWidget* target, int key, const QString& text) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &event);
    }
}

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

TEST(Splash, OnlyKeysThatProduceACharacterHandOver) {
    const struct {
        int key;
        const char* text;
        bool handsOver;
    } cases[] = {{Qt::Key_Up, "", false},      {Qt::Key_Left, "", false},
                 {Qt::Key_Shift, "", false},   {Qt::Key_F1, "", false},
                 {Qt::Key_Return, "\r", true}, {Qt::Key_Escape, "\x1b", true},
                 {Qt::Key_Space, " ", true},   {Qt::Key_7, "7", true}};
    for (const auto& c : cases) {
        SplashRig rig;
        pressKey(&rig.splash, c.key, QString::fromLatin1(c.text));
        EXPECT_EQ(rig.dismissals, c.handsOver ? 1 : 0) << c.key;
        EXPECT_EQ(rig.mainWindow.isVisible(), c.handsOver) << c.key;
    }
}

TEST(Splash, HandsOverOnceAndTheMainWindowIsUpBeforeTheSplashGoes) {
    SplashRig rig;
    bool mainUpFirst = false;
    QObject::connect(&rig.splash, &QDialog::finished,
                     [&] { mainUpFirst = rig.mainWindow.isVisible(); });
    pressKey(&rig.splash, Qt::Key_A, QStringLiteral("a"));
    pressKey(&rig.splash, Qt::Key_B, QStringLiteral("b"));
    click(rig.child("Frame1"), QPoint(4, 4));
    EXPECT_EQ(rig.dismissals, 1);
    EXPECT_TRUE(mainUpFirst);
    EXPECT_FALSE(rig.splash.isVisible());
}

TEST(Splash, OnlyALeftClickOnTheBarePanelHandsOver) {
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
    EXPECT_EQ(rig.dismissals, 0);
    const QPoint bare(frame->width() / 2, 4);
    ASSERT_EQ(frame->childAt(bare), nullptr);
    click(frame, bare, Qt::RightButton);
    EXPECT_EQ(rig.dismissals, 0);
    click(frame, bare);
    EXPECT_EQ(rig.dismissals, 1);
}

} // namespace
} // namespace curvalia::ui
