// The desktop opener against stand-in openers (a shell playing xdg-open):
// what counts as opened, that the caller is never kept waiting, and what
// the opener is given.
#include "platform/DesktopDocumentOpener.h"
#include "support/table_rows.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace curvalia::platform {
namespace {

// The answers come through the event loop; this binary has no other use of one.
void app() {
    static int argc = 1;
    static char name[] = "desktop_opener_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
}

struct Outcome {
    std::optional<bool> opened;
    qint64 returnedMs = 0, answeredMs = -1;
};

Outcome openWith(DesktopDocumentOpener& opener, const std::string& target) {
    app();
    Outcome outcome;
    QElapsedTimer clock;
    clock.start();
    opener.open(target, [&](bool opened) {
        EXPECT_FALSE(outcome.opened.has_value()) << "answered twice";
        outcome.opened = opened;
        outcome.answeredMs = clock.elapsed();
    });
    outcome.returnedMs = clock.elapsed();
    const QDeadlineTimer deadline(5000);
    while (!outcome.opened && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return outcome;
}

QStringList script(const QString& body) {
    return {QStringLiteral("-c"), body, QStringLiteral("opener")};
}

TEST(DesktopDocumentOpener, CountsAnEndWithinTheGraceTimeAndAnOpenerStillRunningAfterIt) {
    QTemporaryDir temp;
    // Executable, but it cannot be started: its interpreter does not exist.
    QFile broken(temp.filePath(QStringLiteral("broken-opener")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("#!/curvalia-no-such-interpreter\n");
    broken.close();
    broken.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QString sh = QStringLiteral("sh");
    using C = std::tuple<const char*, QString, QStringList, bool>; // what, opener, leading, opened
    for (const auto& [what, program, leading, opened] : ::curvalia::testing::rows(
             C{"exits 0", sh, script("exit 0"), true},
             C{"exits 3: no program for the document", sh, script("exit 3"), false},
             C{"still running after the grace time", sh, script("exec sleep 30"), true},
             C{"missing", "curvalia-no-such-opener", {}, false},
             C{"cannot start", broken.fileName(), {}, false})) {
        SCOPED_TRACE(what);
        DesktopDocumentOpener opener(program, leading, 400);
        const Outcome outcome = openWith(opener, "/cartella/CurvaliaHelp.doc");
        EXPECT_EQ(outcome.opened, std::optional<bool>(opened));
        EXPECT_LT(outcome.returnedMs, 300); // never waits for the opener
        if (opened && leading.size() && leading[1].contains(QStringLiteral("sleep"))) {
            EXPECT_GE(outcome.answeredMs, 300); // the grace time, give or take a coarse timer
        }
    } // a lingering opener ends with its owner
}

TEST(DesktopDocumentOpener, HandsOverPathsAndLinksButNothingElse) {
    QTemporaryDir temp;
    const QString seen = temp.filePath(QStringLiteral("seen"));
    DesktopDocumentOpener opener(QStringLiteral("sh"),
                                 script("printf '%s\\n' \"$1\" >> '" + seen + "'"));
    using T = std::pair<std::string, bool>;
    for (const auto& [target, handedOver] : ::curvalia::testing::rows(
             T{"/a folder/CurvaliaHelp.doc", true}, T{"mailto:autore@curvalia.example", true},
             T{"-e", false}, T{"", false}, T{"relative/path.doc", false}))
        EXPECT_EQ(openWith(opener, target).opened, std::optional<bool>(handedOver)) << target;
    QFile file(seen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              "/a folder/CurvaliaHelp.doc\nmailto:autore@curvalia.example\n");
}

// An opener that goes while its programs still run (the program is closing)
// answers nobody: the one who asked may be gone too.
TEST(DesktopDocumentOpener, GoneBeforeItsOpenersAnswerTellsNobody) {
    app();
    int answers = 0;
    {
        DesktopDocumentOpener opener(QStringLiteral("sh"), script("exec sleep 30"), 5000);
        opener.open("/cartella/CurvaliaHelp.doc", [&](bool) { ++answers; });
        opener.open("mailto:autore@curvalia.example", [&](bool) { ++answers; });
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(answers, 0);
}

} // namespace
} // namespace curvalia::platform
