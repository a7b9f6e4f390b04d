#include "platform/ShellServices.h"
#include "platform/platform_fakes_support.h"
#include "ui/AboutBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
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
        const QPointF pos(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, pos, w->mapToGlobal(pos), button, button, {});
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, w->mapToGlobal(pos), button, {}, {});
        QApplication::sendEvent(w, &release);
    }

    FakeDocumentOpener opener;
    FakeFileSystem files;
    FakeKeyValueStore store;
    FakeProgramStarter starter;
    FakeMessageBox messages;
    platform::SysInfoLauncher sysInfo{store, files, starter, messages};
    platform::ShellServices services{opener, files, sysInfo};
};

TEST_F(AboutBoxTest, LoadSetsCaptionTitleVersionAndTheFixedTexts) {
    AboutBox* box = AboutBox::showSingle(nullptr, services);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Informazioni su Curvalia Light"));
    EXPECT_EQ(child(box, "lblTitle")->text(), QStringLiteral("Curvalia Light"));
    EXPECT_EQ(child(box, "lblVersion")->text(), QStringLiteral("Versione 1.1.0"));
    EXPECT_EQ(AboutBox::versionText(), QStringLiteral("Versione %1.%2.%3")
                                           .arg(CURVALIA_VERSION_MAJOR)
                                           .arg(CURVALIA_VERSION_MINOR)
                                           .arg(CURVALIA_VERSION_PATCH));
    EXPECT_FALSE(child(box, "lblDescription")->text().isEmpty());
    EXPECT_EQ(
        child(box, "Label3")->text(),
        QStringLiteral("L'autore non si ritiene responsabile di eventuali malfunzionamenti."));
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(child(box, "Label1")->text(), QStringLiteral("E-mail: ") + AboutBox::kEmail);
    EXPECT_EQ(child(box, "Label2")->text(), QStringLiteral("Url: ") + AboutBox::kWebPage);
    EXPECT_EQ(child(box, "Label1")->toolTip(), QStringLiteral("Scrivimi"));
    EXPECT_EQ(child(box, "Label2")->toolTip(), QStringLiteral("Visita il mio sito"));
    for (const char* link : {"Label1", "Label2"}) {
        EXPECT_EQ(child(box, link)->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_EQ(child(box, link)->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_EQ(child<QPushButton>(box, "cmdOK")->text(), QStringLiteral("OK"));
    EXPECT_TRUE(child<QPushButton>(box, "cmdOK")->isDefault());
    EXPECT_EQ(child<QPushButton>(box, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));
}

TEST_F(AboutBoxTest, NeverTwoBoxesAndAFreshOneAfterClosing) {
    AboutBox* first = AboutBox::showSingle(nullptr, services);
    EXPECT_EQ(AboutBox::showSingle(nullptr, services), first);
    int boxes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        boxes += qobject_cast<AboutBox*>(w) != nullptr;
    EXPECT_EQ(boxes, 1);

    child<QPushButton>(first, "cmdOK")->click();
    flushDeletes();
    EXPECT_EQ(AboutBox::current(), nullptr);
    AboutBox* second = AboutBox::showSingle(nullptr, services);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(child(second, "lblVersion")->text(), QStringLiteral("Versione 1.1.0"));
}

class AboutBoxClosing : public AboutBoxTest, public ::testing::WithParamInterface<int> {};

TEST_P(AboutBoxClosing, OkEnterAndEscCloseAndUnload) {
    AboutBox* box = AboutBox::showSingle(nullptr, services);
    if (GetParam() == 0) {
        child<QPushButton>(box, "cmdOK")->click();
    } else {
        QKeyEvent press(QEvent::KeyPress, GetParam(), Qt::NoModifier);
        QApplication::sendEvent(box, &press);
    }
    EXPECT_FALSE(box->isVisible());
    flushDeletes();
    EXPECT_EQ(AboutBox::current(), nullptr);
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_TRUE(starter.attempts.empty());
}

INSTANTIATE_TEST_SUITE_P(OkClickEnterKeypadEnterEsc, AboutBoxClosing,
                         ::testing::Values(0, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape));

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
