// Help: the shipped document, RTF in plain ASCII, explains every message the
// program can show; the program's own window, with the document's HTML twin,
// opens when the desktop cannot open the document.
#include "engine/Engine.h"
#include "platform/platform_fakes_support.h"
#include "plot/PlotMessages.h"
#include "qt_main_input_support.h"
#include "support/case_name.h"
#include "ui/PlotActions.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace curvalia::ui {
namespace {

std::string rawDocument() {
    const std::filesystem::path doc =
        std::filesystem::path(__FILE__).parent_path() / "../../docs/CurvaliaHelp.doc";
    std::ifstream in(doc, std::ios::binary);
    EXPECT_TRUE(in) << doc;
    return {std::istreambuf_iterator<char>(in), {}};
}

// The document with its \'xx escapes decoded (cp1252; it uses only Latin-1
// letters and the em dash).
QString decodedDocument() {
    const QString text = QString::fromLatin1(rawDocument());
    static const QRegularExpression escape(QStringLiteral("\\\\'([0-9a-f]{2})"));
    QString decoded;
    qsizetype from = 0;
    for (const auto& m : escape.globalMatch(text)) {
        decoded += text.mid(from, m.capturedStart() - from);
        const int code = m.captured(1).toInt(nullptr, 16);
        decoded += code == 0x97 ? QChar(0x2014) : QChar(code);
        from = m.capturedEnd();
    }
    return decoded + text.mid(from);
}

TEST(HelpDocument, IsRtfInAsciiAndExplainsEveryMessage) {
    const std::string raw = rawDocument();
    ASSERT_EQ(raw.rfind("{\\rtf1", 0), 0u);
    EXPECT_TRUE(std::all_of(raw.begin(), raw.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80;
    })) << "accents must be escaped";
    namespace em = engine::msg;
    const auto messages = ::curvalia::testing::rows<const char*>(
        em::kBrackets, em::kStepLimit, em::kBlank, em::kUnknownWordPrefix, em::kMoreOpen,
        em::kMoreClosed, em::kEmptyBrackets, em::kNeedOperator, em::kBadStart,
        em::kRemoveOperatorPrefix, em::kCheckBrackets, plot::msg::kAnalysing, plot::msg::kSweeping,
        plot::msg::kBadFields, plot::msg::kBadStep, "Usare il punto come separatore decimale",
        "Non definita!", "Le informazioni sul sistema non sono attualmente disponibili.", "sin(",
        "cos(", "tg(", "asin(", "acos(", "atg(", "abs(", "lge(", "lgn(", "rad(",
        PlotActions::kBusyNote, "Impossibile salvare il grafico: ", LinkFallbackBox::kCannotOpen);
    const QString text = decodedDocument();
    for (const char* message : messages)
        EXPECT_TRUE(text.contains(QString::fromUtf8(message))) << message;
}

TEST(HelpTwin, HoldsEveryParagraphOfTheDocument) {
    const QString body = decodedDocument().mid(decodedDocument().indexOf("\\pard"));
    static const QRegularExpression split(QStringLiteral("\\\\par(?![a-z])"));
    static const QRegularExpression control(QStringLiteral("\\\\[a-z]+-?\\d* ?|[{}]"));
    HelpWindow window;
    const QString html = window.browser()->toPlainText().simplified();
    int paragraphs = 0;
    for (QString p : body.split(split)) {
        p = p.remove(control).simplified();
        paragraphs += !p.isEmpty();
        EXPECT_TRUE(html.contains(p)) << p.toStdString();
    }
    EXPECT_GT(paragraphs, 90);
}

// The document is looked for in the current directory: a scratch one here.
struct HelpWindowTest : testing::ClosesSingleWindows {
    void SetUp() override { ASSERT_TRUE(temp.isValid() && QDir::setCurrent(temp.path())); }
    void TearDown() override {
        ClosesSingleWindows::TearDown();
        QDir::setCurrent(previous);
    }
    QTemporaryDir temp;
    const QString previous = QDir::currentPath();
    platform::testing::FakeShell<platform::LocalFileSystem> shell;
    platform::testing::FakeDocumentOpener& opener = shell.opener;
};

TEST_F(HelpWindowTest, OwnWindowWhenTheDesktopCannotOpenTheDocumentOrItIsMissing) {
    const struct {
        const char* what;
        int document; // 0 missing, 1 a file, 2 a folder of that name
        bool desktopOpens;
        std::size_t attempts;
        bool ownWindow;
    } cases[] = {{"the desktop opens it", 1, true, 1, false},
                 {"nothing on the desktop opens it", 1, false, 1, true},
                 {"the document is missing", 0, true, 0, true},
                 {"a folder has its name", 2, true, 0, true}};
    for (const auto& c : cases) {
        std::filesystem::remove("CurvaliaHelp.doc");
        if (c.document == 1)
            std::ofstream("CurvaliaHelp.doc") << "{\\rtf1 x}";
        if (c.document == 2)
            std::filesystem::create_directory("CurvaliaHelp.doc");
        opener.opened.clear();
        opener.answer = c.desktopOpens;
        QWidget owner;
        showHelp(shell.services, &owner);
        EXPECT_EQ(opener.opened.size(), c.attempts) << c.what;
        for (const std::string& opened : opener.opened)
            EXPECT_EQ(opened, QDir::current().filePath("CurvaliaHelp.doc").toStdString());
        HelpWindow* window = HelpWindow::current();
        ASSERT_EQ(window != nullptr, c.ownWindow) << c.what;
        if (!window)
            continue;
        EXPECT_TRUE(window->isVisible());
        // Asked again, the same window comes forward.
        showHelp(shell.services, &owner);
        EXPECT_EQ(HelpWindow::current(), window);
        // Esc in the text closes it.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window->browser(), &escape);
        EXPECT_FALSE(window->isVisible());
        testing::flushDeletes();
        EXPECT_EQ(HelpWindow::current(), nullptr);
    }
}

} // namespace
} // namespace curvalia::ui
