#include "engine/Messages.h"
#include "platform/FileSystem.h"
#include "platform/platform_fakes_support.h"
#include "plot/PlotMessages.h"
#include "ui/HelpLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace curvalia::ui {
namespace {

TEST(HelpLauncher, OpensTheDocumentInTheCurrentDirectoryOnlyWhenItIsAFile) {
    QTemporaryDir temp; // not the program's directory
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(temp.isValid() && QDir::setCurrent(temp.path()));
    platform::testing::FakeDocumentOpener opener;
    platform::LocalFileSystem files;
    HelpLauncher launcher{opener, files};
    const std::string path = QDir::currentPath().toStdString() + "/CurvaliaHelp.doc";
    EXPECT_EQ(launcher.helpPath(), path);
    launcher.open();
    // A folder of that name is not the document either.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("CurvaliaHelp.doc")));
    launcher.open();
    EXPECT_TRUE(opener.opened.empty());
    ASSERT_TRUE(QDir().rmdir(QStringLiteral("CurvaliaHelp.doc")));
    QFile doc(QStringLiteral("CurvaliaHelp.doc"));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly) && doc.write("{\\rtf1 x}") > 0);
    doc.close();
    launcher.open();
    launcher.open();
    EXPECT_EQ(opener.opened, (std::vector<std::string>{path, path}));
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral("/")));
    EXPECT_EQ(launcher.helpPath(), "/CurvaliaHelp.doc");
    QDir::setCurrent(previous);
}

// The shipped document: RTF in plain ASCII, explaining every message the program can show.
TEST(HelpDocument, IsRtfAndExplainsEveryMessage) {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "../../docs/CurvaliaHelp.doc",
                     std::ios::binary);
    ASSERT_TRUE(in);
    const std::string raw{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(raw.rfind("{\\rtf1", 0), 0u);
    std::string text; // \'xx escapes decoded to UTF-8 (cp1252 agrees with Latin-1 here)
    for (std::size_t i = 0; i < raw.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(raw[i]), 0x80u) << "accents must be escaped";
        unsigned code = 0;
        if (raw.compare(i, 2, "\\'") == 0 &&
            std::from_chars(raw.data() + i + 2, raw.data() + i + 4, code, 16).ec == std::errc{}) {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
            i += 3;
        } else {
            text += raw[i];
        }
    }
    namespace em = engine::msg;
    for (const std::string message :
         {em::kBrackets,
          em::kStepLimit,
          em::kBlank,
          em::kUnknownWordPrefix,
          em::kMoreOpen,
          em::kMoreClosed,
          em::kEmptyBrackets,
          em::kNeedOperator,
          em::kBadStart,
          em::kRemoveOperatorPrefix,
          em::kCheckBrackets,
          plot::msg::kAnalysing,
          plot::msg::kSweeping,
          plot::msg::kBadFields,
          plot::msg::kBadStep,
          "Usare il punto come separatore decimale",
          "Non definita!",
          "Le informazioni sul sistema non sono attualmente disponibili.",
          "sin(",
          "cos(",
          "tg(",
          "asin(",
          "acos(",
          "atg(",
          "abs(",
          "lge(",
          "lgn(",
          "rad("})
        EXPECT_NE(text.find(message), std::string::npos) << message;
}

} // namespace
} // namespace curvalia::ui
