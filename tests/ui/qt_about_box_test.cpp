#include "platform/platform_fakes_support.h"
#include "qt_main_input_support.h"
#include "ui/AboutBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace curvalia::ui {
namespace {

struct AboutBoxTest : ::testing::Test {
    void TearDown() override {
        AboutBox::closeSingle();
        flushDeletes();
    }
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class T = QLabel> T* child(const char* name) {
        return AboutBox::current()->findChild<T*>(QString::fromLatin1(name));
    }
    AboutBox* show() { return AboutBox::showSingle(nullptr, shell.services); }
    platform::testing::FakeShell shell;
};

TEST_F(AboutBoxTest, ShowsTheProgramsTextsAndLinks) {
    EXPECT_EQ(show()->windowTitle(), QStringLiteral("Informazioni su Curvalia Light"));
    EXPECT_FALSE(AboutBox::current()->isModal());
    using Texts = std::pair<const char*, QString>;
    for (const auto& [name, text] :
         {Texts{"lblTitle", "Curvalia Light"},
          Texts{"Label3", "L'autore non si ritiene responsabile di eventuali malfunzionamenti."},
          Texts{"Label1", QStringLiteral("E-mail: ") + AboutBox::kEmail},
          Texts{"Label2", QStringLiteral("Url: ") + AboutBox::kWebPage}})
        EXPECT_EQ(child(name)->text(), text) << name;
    EXPECT_FALSE(child("lblDescription")->text().isEmpty());
    EXPECT_EQ(child("Label1")->toolTip(), QStringLiteral("Scrivimi"));
    EXPECT_EQ(child("Label2")->toolTip(), QStringLiteral("Visita il mio sito"));
    for (const char* link : {"Label1", "Label2"}) {
        EXPECT_EQ(child(link)->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_EQ(child(link)->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_TRUE(child<QPushButton>("cmdOK")->isDefault());
    EXPECT_EQ(child<QPushButton>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
}

TEST_F(AboutBoxTest, OneBoxOnlyClosedByOkEnterKeypadEnterAndEsc) {
    for (const int key : {0, int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape)}) {
        AboutBox* box = show();
        ASSERT_TRUE(box->isVisible());
        EXPECT_EQ(show(), box);
        const auto widgets = QApplication::topLevelWidgets();
        EXPECT_EQ(std::count_if(widgets.begin(), widgets.end(),
                                [](QWidget* w) { return qobject_cast<AboutBox*>(w) != nullptr; }),
                  1);
        if (key == 0) {
            child<QPushButton>("cmdOK")->click();
        } else {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        }
        EXPECT_FALSE(box->isVisible()) << key;
        flushDeletes();
        EXPECT_EQ(AboutBox::current(), nullptr) << key;
    }
    EXPECT_TRUE(shell.opener.opened.empty());
    EXPECT_TRUE(shell.starter.attempts.empty());
}

TEST_F(AboutBoxTest, LinksOpenOnEveryClickAndSystemInfoAsksTheLauncher) {
    show();
    using Click = std::pair<const char*, Qt::MouseButton>;
    for (const auto& [name, button] :
         {Click{"Label1", Qt::LeftButton}, Click{"Label1", Qt::LeftButton},
          Click{"Label2", Qt::LeftButton}, Click{"Label2", Qt::RightButton},
          Click{"lblTitle", Qt::LeftButton}}) {
        ui::testing::sendMouse(child(name), QEvent::MouseButtonPress, button, button);
        ui::testing::sendMouse(child(name), QEvent::MouseButtonRelease, button, Qt::NoButton);
    }
    const std::string mail = std::string("mailto:") + AboutBox::kEmail, web = AboutBox::kWebPage;
    EXPECT_EQ(shell.opener.opened, (std::vector<std::string>{mail, web, mail, web, web}));
    child<QPushButton>("cmdSysInfo")->click();
    EXPECT_EQ(
        shell.messages.shown,
        std::vector<std::string>{"Le informazioni sul sistema non sono attualmente disponibili."});
    EXPECT_TRUE(AboutBox::current()->isVisible());
}

} // namespace
} // namespace curvalia::ui
