#include "engine/Messages.h"
#include "platform/FileSystem.h"
#include "platform/platform_fakes_support.h"
#include "plot/PlotMessages.h"
#include "ui/HelpLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace curvalia::ui {
namespace {

// Runs the test in a fresh temporary directory, which is not the program's.
class HelpLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(temp_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }
    std::string cwd() const { return QDir::currentPath().toStdString(); }

    QTemporaryDir temp_;
    QString previous_;
    platform::testing::FakeDocumentOpener opener;
    platform::LocalFileSystem files;
    HelpLauncher launcher{opener, files};
};

TEST_F(HelpLauncherTest, PathIsTheCurrentDirectoryPlusTheDocumentName) {
    EXPECT_EQ(launcher.helpPath(), cwd() + "/CurvaliaHelp.doc");
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral("/")));
    EXPECT_EQ(launcher.helpPath(), "/CurvaliaHelp.doc");
}

TEST_F(HelpLauncherTest, MissingDocumentOpensNothing) {
    launcher.open();
    EXPECT_TRUE(opener.opened.empty());
    // A folder of that name is not the document either.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("CurvaliaHelp.doc")));
    launcher.open();
    EXPECT_TRUE(opener.opened.empty());
}

TEST_F(HelpLauncherTest, PresentDocumentIsOpenedEveryTime) {
    QFile doc(QStringLiteral("CurvaliaHelp.doc"));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.write("{\\rtf1 x}");
    doc.close();
    launcher.open();
    launcher.open();
    const std::string expected = cwd() + "/CurvaliaHelp.doc";
    EXPECT_EQ(opener.opened, (std::vector<std::string>{expected, expected}));
}

// The shipped document: RTF that every word processor reads, explaining every
// message the program can show.
std::string decodeRtfText(const std::string& rtf) {
    std::string out;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf.compare(i, 2, "\\'") == 0 && i + 3 < rtf.size()) {
            const unsigned code = std::stoul(rtf.substr(i + 2, 2), nullptr, 16);
            // cp1252 agrees with Latin-1 for the accented letters used.
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
            i += 3;
        } else {
            out += rtf[i];
        }
    }
    return out;
}

TEST(HelpDocument, IsRtfAndExplainsEveryMessage) {
    const std::filesystem::path doc =
        std::filesystem::path(__FILE__).parent_path() / "../../docs/CurvaliaHelp.doc";
    std::ifstream in(doc, std::ios::binary);
    ASSERT_TRUE(in) << doc;
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string raw = buffer.str();
    ASSERT_EQ(raw.rfind("{\\rtf1", 0), 0u);
    for (const unsigned char c : raw)
        ASSERT_LT(c, 0x80u) << "non-ASCII byte: accents must be escaped";
    const std::string text = decodeRtfText(raw);
    namespace em = engine::msg;
    const std::vector<std::string> messages = {
        em::kBrackets,        em::kStepLimit,
        em::kBlank,           em::kUnknownWordPrefix,
        em::kMoreOpen,        em::kMoreClosed,
        em::kEmptyBrackets,   em::kNeedOperator,
        em::kBadStart,        em::kRemoveOperatorPrefix,
        em::kCheckBrackets,   plot::msg::kAnalysing,
        plot::msg::kSweeping, plot::msg::kBadFields,
        plot::msg::kBadStep,  "Usare il punto come separatore decimale",
        "Non definita!",      "Le informazioni sul sistema non sono attualmente disponibili."};
    for (const std::string& message : messages)
        EXPECT_NE(text.find(message), std::string::npos) << message;
    for (const char* name :
         {"sin(", "cos(", "tg(", "asin(", "acos(", "atg(", "abs(", "lge(", "lgn(", "rad("})
        EXPECT_NE(text.find(name), std::string::npos) << name;
}

} // namespace
} // namespace curvalia::ui
