#include "ui/SplashWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
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
    bool mainVisibleWhenSplashClosed = false;

    SplashRig() {
        QObject::connect(&splash, &SplashWindow::dismissed, [this] {
            ++dismissals;
            mainWindow.show();
        });
        splash.show();
    }
    ~SplashRig() { mainWindow.close(); }
    QWidget* child(const char* name) {
        return splash.findChild<QWidget*>(QString::fromLatin1(name));
    }
};

void pressKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void click(QWidget* target, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF global = target->mapToGlobal(QPointF(pos));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), global, button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

struct KeyCase {
    const char* name;
    int key;
    const char* text;
    bool handsOver;
};

class SplashKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SplashKeys, OnlyKeysThatProduceACharacterHandOver) {
    const KeyCase& c = GetParam();
    SplashRig rig;
    pressKey(&rig.splash, c.key, QString::fromLatin1(c.text));
    EXPECT_EQ(rig.dismissals, c.handsOver ? 1 : 0);
    EXPECT_EQ(rig.splash.isVisible(), !c.handsOver);
    EXPECT_EQ(rig.mainWindow.isVisible(), c.handsOver);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SplashKeys,
    ::testing::Values(
        KeyCase{"Up", Qt::Key_Up, "", false}, KeyCase{"Down", Qt::Key_Down, "", false},
        KeyCase{"Left", Qt::Key_Left, "", false}, KeyCase{"Right", Qt::Key_Right, "", false},
        KeyCase{"ShiftAlone", Qt::Key_Shift, "", false}, KeyCase{"F1", Qt::Key_F1, "", false},
        KeyCase{"Enter", Qt::Key_Return, "\r", true},
        KeyCase{"Escape", Qt::Key_Escape, "\x1b", true}, KeyCase{"Space", Qt::Key_Space, " ", true},
        KeyCase{"Letter", Qt::Key_A, "a", true}, KeyCase{"Digit", Qt::Key_7, "7", true}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

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

TEST(Splash, ClickOnTheBarePanelHandsOver) {
    SplashRig rig;
    QWidget* frame = rig.child("Frame1");
    ASSERT_NE(frame, nullptr);
    const QPoint bare(frame->width() / 2, 4);
    ASSERT_EQ(frame->childAt(bare), nullptr);
    click(frame, bare, Qt::RightButton);
    EXPECT_EQ(rig.dismissals, 0);
    click(frame, bare);
    EXPECT_EQ(rig.dismissals, 1);
}

TEST(Splash, ClicksOnLabelsAndPicturesDoNothing) {
    SplashRig rig;
    for (const char* name :
         {"lblProductName", "Label1", "lblVersion", "lblPlatform", "lblDate", "Image1", "Image2"}) {
        QWidget* w = rig.child(name);
        ASSERT_NE(w, nullptr) << name;
        click(w, QPoint(w->width() / 2, w->height() / 2));
        EXPECT_EQ(rig.dismissals, 0) << name;
    }
    // Pressed on a label, released on the panel: not a click on the panel.
    QWidget* label = rig.child("lblProductName");
    const QPoint onLabel(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(onLabel),
                      label->mapToGlobal(QPointF(onLabel)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(label, &press);
    QWidget* frame = rig.child("Frame1");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(4, 4),
                        frame->mapToGlobal(QPointF(4, 4)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(frame, &release);
    EXPECT_EQ(rig.dismissals, 0);
}

TEST(Splash, ShowsTheShortVersionFromTheBuild) {
    SplashWindow splash;
    auto* version = splash.findChild<QLabel*>(QStringLiteral("lblVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Versione 1.1"));
    EXPECT_EQ(
        SplashWindow::versionText(),
        QStringLiteral("Versione %1.%2").arg(CURVALIA_VERSION_MAJOR).arg(CURVALIA_VERSION_MINOR));
}

} // namespace
} // namespace curvalia::ui
