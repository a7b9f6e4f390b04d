// The shipped help document, RTF in plain ASCII: it explains every message
// the program can show, and the HTML twin the program's own window shows
// holds every one of its paragraphs.
#include "engine/Engine.h"
#include "plot/PlotMessages.h"
#include "support/case_name.h"
#include "ui/HelpWindow.h"
#include "ui/LinkFallbackBox.h"
#include "ui/PlotActions.h"

#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>

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

} // namespace
} // namespace curvalia::ui
