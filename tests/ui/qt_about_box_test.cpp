#include "platform/ShellServices.h"
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

using namespace platform::testing;

class AboutBoxTest : public ::testing::Test {
  protected:
    void TearDown() override {
        AboutBox::closeSingle();
        flushDeletes();
    }
    static void flushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class T = QLabel> static T* child(AboutBox* box, const char* name) {
        return box->findChild<T*>(QString::fromLatin1(name));
    }
    static void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
        ui::testing::sendMouse(w, QEvent::MouseButtonPress, button, button);
        ui::testing::sendMouse(w, QEvent::MouseButtonRelease, button, Qt::NoButton);
    }

    FakeShell<> shell;
    FakeDocumentOpener& opener = shell.opener;
    platform::ShellServices& services = shell.services;
    FakeProgramStarter& starter = shell.starter;
    FakeMessageBox& messages = shell.messages;
    FakeKeyValueStore& store = shell.store;
};

TEST_F(AboutBoxTest, ShowsTheFixedTextsAndIsNeverTwice) {
    AboutBox* box = AboutBox::showSingle(nullptr, services);
    EXPECT_EQ(AboutBox::showSingle(nullptr, services), box);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Informazioni su Curvalia Light"));
    EXPECT_FALSE(box->isModal());
    using Texts = std::pair<const char*, QString>;
    for (const auto& [name, text] :
         {Texts{"lblVersion", "Versione 1.1.0"},
          Texts{"Label3", "L'autore non si ritiene responsabile di eventuali malfunzionamenti."},
          Texts{"Label1", QStringLiteral("E-mail: ") + AboutBox::kEmail},
          Texts{"Label2", QStringLiteral("Url: ") + AboutBox::kWebPage}})
        EXPECT_EQ(child(box, name)->text(), text) << name;
    EXPECT_TRUE(child<QPushButton>(box, "cmdOK")->isDefault());
}

TEST_F(AboutBoxTest, OkClickEnterKeypadEnterAndEscCloseAndUnload) {
    for (const int key : {0, int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape)}) {
        // A fresh box each time, after the previous one closed.
        AboutBox* box = AboutBox::showSingle(nullptr, services);
        ASSERT_TRUE(box->isVisible());
        if (key == 0) {
            child<QPushButton>(box, "cmdOK")->click();
        } else {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        }
        EXPECT_FALSE(box->isVisible()) << key;
        flushDeletes();
        EXPECT_EQ(AboutBox::current(), nullptr) << key;
    }
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_TRUE(starter.attempts.empty());
}

TEST_F(AboutBoxTest, LinksOpenInOrderOnEveryClick) {
    AboutBox* box = AboutBox::showSingle(nullptr, services);
    const std::string mail = std::string("mailto:") + AboutBox::kEmail, web = AboutBox::kWebPage;
    click(child(box, "Label1"));
    click(child(box, "Label1"));
    click(child(box, "Label2"));
    click(child(box, "Label2"), Qt::RightButton);
    click(child(box, "lblTitle"));
    EXPECT_EQ(opener.opened, (std::vector<std::string>{mail, web, mail, web, web}));
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutBoxTest, SystemInfoStartsTheToolOrShowsTheMessage) {
    AboutBox* box = AboutBox::showSingle(nullptr, services);
    auto* sysInfoButton = child<QPushButton>(box, "cmdSysInfo");
    sysInfoButton->click();
    EXPECT_TRUE(starter.attempts.empty());
    EXPECT_EQ(messages.shown, std::vector<std::string>{
                                  "Le informazioni sul sistema non sono attualmente disponibili."});

    store.keys[platform::SysInfoLauncher::kToolKey]["PATH"] =
        FakeValue{platform::kStringValue, "/usr/bin/hw", {}};
    sysInfoButton->click();
    EXPECT_EQ(starter.attempts, std::vector<std::string>{"/usr/bin/hw"});
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(box->isVisible());
}

} // namespace
} // namespace curvalia::ui
