// The About box's links when the desktop cannot open them: their addresses
// in a small box, selectable and copyable; nothing extra when it can.
#include "platform/ShellServices.h"
#include "platform/platform_fakes_support.h"
#include "qt_main_input_support.h"
#include "ui/AboutBox.h"
#include "ui/LinkFallbackBox.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace curvalia::ui {
namespace {

using namespace platform::testing;

class LinkFallbackTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (LinkFallbackBox* box = LinkFallbackBox::current())
            box->close();
        AboutBox::closeSingle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void clickLink(const char* name) {
        auto* link = AboutBox::showSingle(&owner, services)->findChild<QLabel*>(name);
        ui::testing::click(link);
    }

    QWidget owner;
    FakeShell<> shell;
    FakeDocumentOpener& opener = shell.opener;
    platform::ShellServices& services = shell.services;
};

TEST_F(LinkFallbackTest, UnopenedLinksShowTheirAddresses) {
    const QString mail = QString::fromUtf8(AboutBox::kEmail);
    const QString web = QString::fromUtf8(AboutBox::kWebPage);
    const struct {
        const char* link;
        bool desktopOpens;
        QStringList shown; // empty: no box
    } cases[] = {
        {"Label1", true, {}},
        {"Label2", true, {}},
        {"Label2", false, {web}},
        {"Label1", false, {mail, web}},
    };
    for (const auto& c : cases) {
        opener.answer = c.desktopOpens;
        opener.opened.clear();
        clickLink(c.link);
        // The desktop was asked first, as always.
        EXPECT_EQ(opener.opened.size(), std::string(c.link) == "Label1" ? 2u : 1u);
        LinkFallbackBox* box = LinkFallbackBox::current();
        ASSERT_EQ(box != nullptr, !c.shown.isEmpty()) << c.link;
        if (!box)
            continue;
        QStringList fields;
        for (QLineEdit* field : box->findChildren<QLineEdit*>("address")) {
            EXPECT_TRUE(field->isReadOnly());
            fields << field->text();
        }
        EXPECT_EQ(fields, c.shown);
        EXPECT_FALSE(box->isModal());
        EXPECT_EQ(box->parentWidget(), &owner); // outlives the About box
    }
}

TEST_F(LinkFallbackTest, CopyPutsTheAddressesOnTheClipboardAndOkCloses) {
    opener.answer = false;
    clickLink("Label1");
    LinkFallbackBox* box = LinkFallbackBox::current();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->findChild<QLineEdit*>("address")->selectedText(),
              QString::fromUtf8(AboutBox::kEmail));
    box->findChild<QPushButton*>("cmdCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QString::fromUtf8(AboutBox::kEmail) + "\n" + AboutBox::kWebPage);
    // The same click again brings the same box forward.
    clickLink("Label1");
    EXPECT_EQ(LinkFallbackBox::current(), box);
    box->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(box->isVisible());
}

} // namespace
} // namespace curvalia::ui
