// The small windows through their real widgets: the splash, the About box and
// its links' fallback, the range dialog, and where each window opens; the
// program's own help window, with the document's HTML twin, opens when the
// desktop cannot open the document.
#include "platform/platform_fakes_support.h"
#include "support/qt_main_input_support.h"
#include "support/table_rows.h"
#include "ui/windows/AreaDialog.h"
#include "ui/windows/SplashWindow.h"
#include "ui/windows/WindowPlacement.h"

#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace curvalia::ui {
namespace {

using namespace testing;

// A splash with a stand-in main window shown on dismissal, as the program does.
struct SplashRig {
    SplashWindow splash;
    QWidget mainWindow;
    int dismissals = 0;
    bool mainUpFirst = false;
    SplashRig() {
        QObject::connect(&splash, &SplashWindow::dismissed, [this] {
            ++dismissals;
            mainWindow.show();
        });
        QObject::connect(&splash, &QDialog::finished,
                         [this] { mainUpFirst = mainWindow.isVisible(); });
        splash.show();
    }
};

TEST(Splash, OnlyKeysThatProduceACharacterHandOverOnceWithTheMainWindowUpFirst) {
    // An arrow key and the space bar are the end-to-end script's.
    using K = std::tuple<int, const char*, bool>;
    for (const auto& [key, text, handsOver] : ::curvalia::testing::rows(
             K(Qt::Key_Shift, "", false), K(Qt::Key_F1, "", false), K(Qt::Key_Return, "\r", true),
             K(Qt::Key_Escape, "\x1b", true), K(Qt::Key_7, "7", true))) {
        SplashRig rig;
        pressKey(&rig.splash, key, text);
        if (handsOver)
            pressKey(&rig.splash, Qt::Key_A, "a"); // never a second hand-over
        EXPECT_EQ(rig.dismissals, handsOver ? 1 : 0) << key;
        EXPECT_EQ(rig.splash.isVisible(), !handsOver) << key;
        EXPECT_EQ(rig.mainUpFirst, handsOver) << key;
    }
}

// The About box and the box its links fall back to when the desktop cannot
// open them.
struct AboutBoxTest : ClosesSingleWindows {
    template <class T = QLabel> T* child(const char* name) {
        return AboutBox::current()->findChild<T*>(QString::fromLatin1(name));
    }
    AboutBox* show() { return AboutBox::showSingle(&owner, shell.services); }
    void clickLink(const char* name) {
        show();
        click(child(name));
    }
    QWidget owner;
    platform::testing::FakeShell<> shell;
};

TEST_F(AboutBoxTest, OneBoxOnlyClosedByOkEnterKeypadEnterAndEsc) {
    for (const int key : {0, int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape)}) {
        AboutBox* box = show();
        EXPECT_EQ(show(), box);
        EXPECT_EQ(owner.findChildren<AboutBox*>().size(), 1);
        if (key == 0)
            child<QPushButton>("cmdOK")->click();
        else
            pressKey(box, key);
        EXPECT_FALSE(box->isVisible()) << key;
        flushDeletes();
        EXPECT_EQ(AboutBox::current(), nullptr) << key;
    }
    EXPECT_TRUE(shell.opener.opened.empty());
}

TEST_F(AboutBoxTest, LinksOpenOnEveryClickAndSystemInfoAsksTheLauncher) {
    show();
    for (const char* name : {"Label1", "Label1", "Label2", "lblTitle"})
        click(child(name));
    click(child("Label2"), QPoint(4, 4), Qt::RightButton); // opens nothing
    const std::string mail = std::string("mailto:") + AboutBox::kEmail, web = AboutBox::kWebPage;
    EXPECT_EQ(shell.opener.opened, (std::vector<std::string>{mail, web, mail, web, web}));
    EXPECT_EQ(LinkFallbackBox::current(), nullptr); // the desktop opened them all
    child<QPushButton>("cmdSysInfo")->click();
    EXPECT_EQ(shell.messages.shown,
              std::vector<std::string>{platform::SysInfoLauncher::kUnavailable});
    EXPECT_TRUE(AboutBox::current()->isVisible());
}

TEST_F(AboutBoxTest, UnopenedLinksShowTheirAddressesToSelectAndCopy) {
    const QString mail = QString::fromUtf8(AboutBox::kEmail);
    const QString web = QString::fromUtf8(AboutBox::kWebPage);
    shell.opener.answer = false;
    for (const auto& [link, shown] :
         {std::pair{"Label2", QStringList{web}}, {"Label1", QStringList{mail, web}}}) {
        shell.opener.opened.clear();
        clickLink(link);
        // Each address shown was tried on the desktop first.
        EXPECT_EQ(shell.opener.opened.size(), static_cast<std::size_t>(shown.size()));
        LinkFallbackBox* box = LinkFallbackBox::current();
        ASSERT_NE(box, nullptr) << link;
        QStringList fields;
        for (QLineEdit* field : box->findChildren<QLineEdit*>("address"))
            fields << field->text();
        EXPECT_EQ(fields, shown);
        EXPECT_EQ(box->parentWidget(), &owner); // outlives the About box
    }
    LinkFallbackBox* box = LinkFallbackBox::current();
    EXPECT_EQ(box->findChild<QLineEdit*>("address")->selectedText(), mail);
    box->findChild<QPushButton*>("cmdCopy")->click();
    EXPECT_EQ(QApplication::clipboard()->text(), mail + "\n" + web);
    box->findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(box->isVisible());
    flushDeletes();

    // Answers that come later: the box waits for both, and keeps their order.
    shell.opener.late = true;
    clickLink("Label1");
    EXPECT_EQ(LinkFallbackBox::current(), nullptr);
    shell.opener.answerLate(false);
    ASSERT_NE(LinkFallbackBox::current(), nullptr);
    EXPECT_EQ(LinkFallbackBox::current()->addresses(), (QStringList{mail, web}));
}

// The note under the fields comes and goes as the texts are typed; the
// fields above it stay where they are, and nothing is changed.
TEST(AreaDialog, NotesHowTheTextsAreReadGrowingOnlyWhileItShows) {
    AreaDialog dialog;
    dialog.show();
    auto* note = dialog.findChild<QLabel*>("RangeNote");
    auto* xmin = dialog.findChild<QLineEdit*>("XminTXT");
    const QSize plain = dialog.size();
    const QRect fieldAt = xmin->geometry();
    for (const auto& [typed, text] :
         {std::pair{"abc", "X min vale 0: non \xC3\xA8 un numero"}, {"-1", ""}}) {
        xmin->setText(QString::fromUtf8(typed));
        EXPECT_EQ(note->isVisible(), *text != 0) << typed;
        EXPECT_EQ(xmin->geometry(), fieldAt);
        EXPECT_EQ(dialog.rangeTexts().xmin, typed);
        if (*text == 0) {
            EXPECT_EQ(dialog.size(), plain);
        } else {
            EXPECT_EQ(note->text(), QString::fromUtf8(text));
            EXPECT_EQ(dialog.width(), plain.width());
            EXPECT_GE(dialog.height(), note->geometry().bottom()); // held whole, below the rest
            EXPECT_GE(note->y(), dialog.findChild<QPushButton*>("Command1")->geometry().bottom());
        }
    }
}

// Area, Valore, the About box and the help window opened one after another
// beside a main window centred on screens of three sizes (outer sizes as a
// window manager frames them), then "Area" grown by its note.
TEST(WindowPlacement, OpensWindowsClearOfEachOtherWhereTheScreenHasRoom) {
    const QSize main(528, 480);
    const std::tuple<const char*, QSize, Side> windows[] = {{"Area", {195, 165}, Side::Right},
                                                            {"Valore", {187, 272}, Side::Right},
                                                            {"Help", {650, 626}, Side::Left},
                                                            {"About", {434, 262}, Side::Left}};
    // How many of the windows, in order, the screen has room for side by side.
    for (const auto& [screen, roomFor] : {std::pair{QRect(0, 0, 1280, 1024), 4},
                                          {QRect(0, 0, 1024, 768), 3},
                                          {QRect(0, 0, 800, 600), 0}}) {
        SCOPED_TRACE(screen.width());
        const QRect owner(centredIn(main, screen), main);
        QList<QRect> open;
        for (const auto& [name, frame, side] : windows) {
            const QRect placed(besideClearOf(owner, frame, screen, open, side), frame);
            SCOPED_TRACE(name);
            EXPECT_TRUE(screen.contains(placed) || frame.height() > screen.height());
            if (open.size() < roomFor) {
                for (const QRect& other : open)
                    EXPECT_FALSE(placed.intersects(other));
            }
            open << placed;
        }
        if (roomFor == 4) { // the free strips hold "Area" and "Valore" clear of the main window
            EXPECT_EQ(open[0].topLeft(), QPoint(owner.right() + 9, owner.top()));
            EXPECT_EQ(open[1].topLeft(), QPoint(owner.right() + 9, open[0].bottom() + 9));
            EXPECT_FALSE(open[0].intersects(owner) || open[1].intersects(owner));
        }
        // "Area" grows by its note: what it would cover moves, where there is room.
        const QRect grown(open[0].topLeft(), open[0].size() + QSize(0, 56));
        const QList<QPoint> places = clearAfterGrowing(owner, grown, open.mid(1), screen);
        QList<QRect> after{QRect(places[0], grown.size())};
        for (qsizetype i = 1; i < open.size(); ++i)
            after << QRect(places[i], open[i].size());
        for (qsizetype i = 0; i < after.size(); ++i) {
            EXPECT_TRUE(screen.contains(after[i]) || after[i].height() > screen.height());
            for (qsizetype j = i + 1; j < std::min<qsizetype>(after.size(), roomFor); ++j)
                EXPECT_FALSE(after[i].intersects(after[j])) << "after growing, " << i << "/" << j;
        }
    }
}

TEST(WindowPlacement, BesideTheOwnerElseOverItNeverOffScreen) {
    const QRect screen(0, 0, 1024, 768);
    const QSize valore(177, 246);
    for (const auto& [owner, frame, expected] :
         {std::tuple{QRect(253, 158, 518, 451), valore,
                     QPoint(779, 158)},                                 // right of the main window
          {QRect(500, 100, 518, 451), valore, QPoint(315, 100)},        // no room right: left
          {QRect(0, 0, 1024, 768), QSize(424, 236), QPoint(300, 266)},  // no room: centred over it
          {QRect(300, 700, 518, 451), valore, QPoint(826, 522)},        // pulled up onto the screen
          {QRect(100, 100, 518, 451), QSize(1100, 800), QPoint(0, 0)}}) // title bar reachable
        EXPECT_EQ(besideOrOver(owner, frame, screen), expected) << owner.x();
    EXPECT_EQ(centredIn({518, 451}, screen.translated(1024, 0)), QPoint(1277, 158));
    EXPECT_EQ(centredIn({1100, 800}, screen), QPoint(0, 0));
}

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
    // document: 0 missing, 1 a file, 2 a folder of that name. Only a file is
    // handed to the desktop, whose answer may come at once or later.
    const std::tuple<const char*, int, bool, bool, bool> cases[] = {
        {"the desktop opens it", 1, true, false, false},
        {"nothing on the desktop opens it", 1, false, false, true},
        {"the desktop opens it, later", 1, true, true, false},
        {"nothing opens it, found out later", 1, false, true, true},
        {"the document is missing", 0, true, false, true},
        {"a folder has its name", 2, true, false, true}};
    for (const auto& [what, document, desktopOpens, late, ownWindow] : cases) {
        std::filesystem::remove("CurvaliaHelp.doc");
        if (document == 1)
            std::ofstream("CurvaliaHelp.doc") << "{\\rtf1 x}";
        if (document == 2)
            std::filesystem::create_directory("CurvaliaHelp.doc");
        opener.opened.clear();
        opener.answer = desktopOpens;
        opener.late = late;
        QWidget owner;
        showHelp(shell.services, &owner);
        EXPECT_EQ(opener.opened.size(), document == 1 ? 1u : 0u) << what;
        for (const std::string& opened : opener.opened)
            EXPECT_EQ(opened, QDir::current().filePath("CurvaliaHelp.doc").toStdString());
        if (late) {
            EXPECT_EQ(HelpWindow::current(), nullptr) << what; // not before the answer
            opener.answerLate(desktopOpens);
        }
        HelpWindow* window = HelpWindow::current();
        ASSERT_EQ(window != nullptr, ownWindow) << what;
        if (!window)
            continue;
        EXPECT_TRUE(window->isVisible());
        // Its own size, not the size its contents would shrink it to.
        EXPECT_EQ(window->size(), QSize(640, 600).boundedTo(
                                      window->screen()->availableGeometry().size() - QSize(16, 40)))
            << what;
        // Asked again, the same window comes forward.
        opener.late = false;
        showHelp(shell.services, &owner);
        EXPECT_EQ(HelpWindow::current(), window);
        // Esc in the text closes it.
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window->browser(), &escape);
        EXPECT_FALSE(window->isVisible());
        testing::flushDeletes();
        EXPECT_EQ(HelpWindow::current(), nullptr);
    }
    // An answer that comes after the main window has gone shows nothing.
    std::ofstream("CurvaliaHelp.doc") << "{\\rtf1 x}";
    opener.late = true;
    {
        QWidget owner;
        showHelp(shell.services, &owner);
    }
    opener.answerLate(false);
    EXPECT_EQ(HelpWindow::current(), nullptr);
}

} // namespace
} // namespace curvalia::ui
