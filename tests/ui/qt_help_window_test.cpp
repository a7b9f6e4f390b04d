// The help command when the desktop cannot open the document: the program's
// own window with the HTML twin, which says what the document says.
#include "platform/FileSystem.h"
#include "platform/ShellServices.h"
#include "platform/platform_fakes_support.h"
#include "ui/HelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

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
    platform::ShellServices& services = shell.services;
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
        showHelp(services, &owner);
        EXPECT_EQ(opener.opened.size(), c.attempts) << c.what;
        // The document is looked for in the current directory.
        for (const std::string& opened : opener.opened)
            EXPECT_EQ(opened, QDir::current().filePath("CurvaliaHelp.doc").toStdString());
        HelpWindow* window = HelpWindow::current();
        ASSERT_EQ(window != nullptr, c.ownWindow) << c.what;
        if (!window)
            continue;
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Curvalia Light \xE2\x80\x94 Guida"));
        EXPECT_TRUE(window->browser()->toPlainText().contains("Campi errati")) << c.what;
        // Asked again, the same window comes forward.
        showHelp(services, &owner);
        EXPECT_EQ(HelpWindow::current(), window);
        // Esc in the text closes it.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window->browser(), &escape);
        EXPECT_FALSE(window->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(HelpWindow::current(), nullptr);
    }
}

// The paragraphs of the RTF document as plain text, \'xx escapes decoded
// (cp1252; the document uses only Latin-1 letters and the em dash).
QStringList rtfParagraphs() {
    const std::filesystem::path doc =
        std::filesystem::path(__FILE__).parent_path() / "../../docs/CurvaliaHelp.doc";
    std::ifstream in(doc, std::ios::binary);
    const std::string raw{std::istreambuf_iterator<char>(in), {}};
    QString text = QString::fromLatin1(raw.substr(raw.find("\\pard")));
    static const QRegularExpression escape(QStringLiteral("\\\\'([0-9a-f]{2})"));
    QString decoded;
    qsizetype from = 0;
    for (const auto& m : escape.globalMatch(text)) {
        decoded += text.mid(from, m.capturedStart() - from);
        const int code = m.captured(1).toInt(nullptr, 16);
        decoded += code == 0x97 ? QChar(0x2014) : QChar(code);
        from = m.capturedEnd();
    }
    decoded += text.mid(from);
    QStringList paragraphs;
    static const QRegularExpression split(QStringLiteral("\\\\par(?![a-z])"));
    static const QRegularExpression control(QStringLiteral("\\\\[a-z]+-?\\d* ?|[{}]"));
    for (QString p : decoded.split(split)) {
        p = p.remove(control).simplified();
        if (!p.isEmpty())
            paragraphs << p;
    }
    return paragraphs;
}

TEST(HelpTwin, HoldsEveryParagraphOfTheDocument) {
    const QStringList paragraphs = rtfParagraphs();
    ASSERT_GT(paragraphs.size(), 90);
    HelpWindow window;
    const QString html = window.browser()->toPlainText().simplified();
    for (const QString& p : paragraphs)
        EXPECT_TRUE(html.contains(p)) << p.toStdString();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Curvalia Light \xE2\x80\x94 Guida"));
}

} // namespace
} // namespace curvalia::ui
