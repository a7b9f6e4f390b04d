#include "platform/FileSystem.h"
#include "platform/platform_fakes_support.h"
#include "ui/HelpLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

} // namespace
} // namespace curvalia::ui
