// The help command when the desktop cannot open the document: the program's
// own window with the HTML twin.
#include "platform/platform_fakes_support.h"
#include "ui/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace curvalia::ui {
namespace {

using namespace platform::testing;

class HelpWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(temp_.path()));
    }
    void TearDown() override {
        if (HelpWindow* window = HelpWindow::current())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(previous_);
    }
    void writeDocument() {
        QFile doc(QStringLiteral("CurvaliaHelp.doc"));
        ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
        doc.write("{\\rtf1 x}");
    }

    QTemporaryDir temp_;
    QString previous_;
    FakeShell<platform::LocalFileSystem> shell;
    FakeDocumentOpener& opener = shell.opener;
};

TEST_F(HelpWindowTest, OwnWindowWhenTheDesktopCannotOpenTheDocumentOrItIsMissing) {
    const struct {
        const char* what;
        int document; // 0 missing, 1 a file, 2 a folder of that name
        bool desktopOpens;
        std::size_t attempts;
        bool ownWindow;
    } cases[] = {
        {"the desktop opens it", 1, true, 1, false},
        {"nothing on the desktop opens it", 1, false, 1, true},
        {"the document is missing", 0, true, 0, true},
        {"a folder has its name", 2, true, 0, true},
    };
    for (const auto& c : cases) {
        QFile::remove(QStringLiteral("CurvaliaHelp.doc"));
        QDir().rmdir(QStringLiteral("CurvaliaHelp.doc"));
        if (c.document == 1)
            writeDocument();
        if (c.document == 2)
            QDir().mkdir(QStringLiteral("CurvaliaHelp.doc"));
        opener.opened.clear();
        opener.answer = c.desktopOpens;
        QWidget owner;
        showHelp(shell.services, &owner);
        EXPECT_EQ(opener.opened.size(), c.attempts) << c.what;
        // The document is looked for in the current directory.
        for (const std::string& opened : opener.opened)
            EXPECT_EQ(opened, QDir::current().filePath("CurvaliaHelp.doc").toStdString());
        HelpWindow* window = HelpWindow::current();
        ASSERT_EQ(window != nullptr, c.ownWindow) << c.what;
        if (!window)
            continue;
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->browser()->toPlainText().contains("Campi errati")) << c.what;
        // Asked again, the same window comes forward.
        showHelp(shell.services, &owner);
        EXPECT_EQ(HelpWindow::current(), window);
        // Esc in the text closes it.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window->browser(), &escape);
        EXPECT_FALSE(window->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(HelpWindow::current(), nullptr);
    }
}

} // namespace
} // namespace curvalia::ui
