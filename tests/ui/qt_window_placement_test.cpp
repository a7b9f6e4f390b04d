// Where each window opens, and the window-manager hints of each: fixed-size
// windows offer no maximize button.
#include "calc/ValueWindow.h"
#include "platform/platform_fakes_support.h"
#include "qt_main_input_support.h"
#include "ui/AboutBox.h"
#include "ui/AreaDialog.h"
#include "ui/WindowPlacement.h"

#include <QScreen>

namespace curvalia::ui {
namespace {

const QRect kScreen(0, 0, 1024, 768);

TEST(WindowPlacement, BesideTheOwnerElseOverItNeverOffScreen) {
    const QSize valore(177, 246);
    const struct {
        QRect owner;
        QSize frame;
        QPoint expected;
    } cases[] = {
        {{253, 158, 518, 451}, valore, {779, 158}},  // right of the centred main window
        {{500, 100, 518, 451}, valore, {315, 100}},  // no room right: left
        {{0, 0, 1024, 768}, {424, 236}, {300, 266}}, // no room either side: centred over it
        {{300, 700, 518, 451}, valore, {826, 522}},  // pulled up onto the screen
        {{-400, 50, 518, 451}, valore, {126, 50}},   // an owner partly off the screen
        {{100, 100, 518, 451}, {1100, 800}, {0, 0}}, // too large: the title bar stays reachable
    };
    for (const auto& c : cases)
        EXPECT_EQ(besideOrOver(c.owner, c.frame, kScreen), c.expected) << c.owner.x();
}

TEST(WindowPlacement, CentredInTheAreaOfItsScreen) {
    EXPECT_EQ(centredIn({518, 451}, kScreen), QPoint(253, 158));
    EXPECT_EQ(centredIn({518, 451}, kScreen.translated(1024, 0)), QPoint(1277, 158));
    EXPECT_EQ(centredIn({1100, 800}, kScreen), QPoint(0, 0));
}

struct WindowsTest : testing::MainWindowRig {
    void TearDown() override { AboutBox::closeSingle(); }
    QRect screenArea() const { return window.screen()->availableGeometry(); }

    platform::testing::FakeShell shell;
};

TEST_F(WindowsTest, FixedSizeWindowsHaveACloseBoxAndNoMaximizeButton) {
    // Centred before the frame exists: off by half the frame at most.
    EXPECT_LE((window.frameGeometry().center() - screenArea().center()).manhattanLength(), 8);
    pressButton("Impostazioni_bn", "Impostazioni");
    pressButton("Lente_bn", "Lente");
    AboutBox* about = AboutBox::showSingle(&window, shell.services);
    // The dialogs belong to the main window: above it, not in a task list.
    const std::pair<QWidget*, Qt::WindowType> windows[] = {{&window, Qt::Window},
                                                           {window.areaDialog(), Qt::Dialog},
                                                           {window.valueWindow(), Qt::Dialog},
                                                           {about, Qt::Dialog}};
    for (const auto& [w, type] : windows) {
        const std::string name = w->objectName().toStdString();
        ASSERT_TRUE(w->isVisible()) << name;
        const Qt::WindowFlags flags = w->windowFlags();
        EXPECT_EQ(w->windowType(), type) << name;
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << name;
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint) << name;
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint) << name;
        EXPECT_EQ(w->minimumSize(), w->maximumSize()) << name;
        EXPECT_TRUE(screenArea().contains(w->frameGeometry())) << name;
    }
}

} // namespace
} // namespace curvalia::ui
