// The desktop opener against stand-in openers (a shell playing xdg-open):
// what counts as opened, that the caller is never kept waiting, what the
// opener is given, and that an opener still running outlives its starter.
#include "platform/DesktopDocumentOpener.h"
#include "support/table_rows.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <tuple>
#include <unistd.h>
#include <vector>

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

// Openers that sleep on: each writes its PID, and since its starter leaves it
// running, it is ended here.
struct Lingering {
    QTemporaryDir dir;
    std::size_t expected = 0;
    QString body() const { return "echo $$ >> '" + dir.filePath("pids") + "'; exec sleep 30"; }
    std::vector<pid_t> pids() const { // waits for the expected ones to write
        std::vector<pid_t> found;
        for (QDeadlineTimer end(5000); found.size() < expected && !end.hasExpired();
             QThread::msleep(20)) {
            QFile file(dir.filePath("pids"));
            found.clear();
            if (file.open(QIODevice::ReadOnly))
                for (const QByteArray& pid : file.readAll().split('\n'))
                    if (!pid.isEmpty())
                        found.push_back(pid.toInt());
        }
        return found;
    }
    ~Lingering() {
        for (pid_t pid : pids())
            ::kill(pid, SIGKILL);
    }
};

QString warnings; // what Qt warned of
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg || type == QtCriticalMsg)
        warnings += text;
}

// The opener that is still running is left to run, in a session of its own:
// a Ctrl+C in the terminal (its foreground process group) or a hang-up (its
// session) ends this program, not the viewer.
TEST(DesktopDocumentOpener, CountsAnEndWithinTheGraceTimeAndAnOpenerStillRunningAfterIt) {
    const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
    QTemporaryDir temp;
    Lingering lingering;
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
             C{"still running after the grace time", sh, script(lingering.body()), true},
             C{"missing", "curvalia-no-such-opener", {}, false},
             C{"cannot start", broken.fileName(), {}, false})) {
        SCOPED_TRACE(what);
        // A grace time long enough for "exit 3" to be seen on a loaded
        // machine, yet far longer than the caller may wait.
        DesktopDocumentOpener opener(program, leading, 1500);
        const Outcome outcome = openWith(opener, "/cartella/CurvaliaHelp.doc");
        EXPECT_EQ(outcome.opened, std::optional<bool>(opened));
        EXPECT_LT(outcome.returnedMs, 1000); // never waits for the opener
        if (opened && leading.size() && leading[1].contains(QStringLiteral("sleep"))) {
            EXPECT_GE(outcome.answeredMs, 1400); // the grace time, give or take a coarse timer
            lingering.expected = 1;
        }
    } // the openers are gone, what they started is not
    qInstallMessageHandler(previous);
    const std::vector<pid_t> pids = lingering.pids();
    ASSERT_EQ(pids.size(), 1u);
    EXPECT_EQ(::kill(pids[0], 0), 0) << "ended with its opener";
    EXPECT_NE(getsid(pids[0]), getsid(0));
    EXPECT_NE(getpgid(pids[0]), getpgrp());
    EXPECT_EQ(warnings.toStdString(), "");
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
    Lingering lingering;
    lingering.expected = 2;
    int answers = 0;
    {
        DesktopDocumentOpener opener(QStringLiteral("sh"), script(lingering.body()), 5000);
        opener.open("/cartella/CurvaliaHelp.doc", [&](bool) { ++answers; });
        opener.open("mailto:autore@curvalia.example", [&](bool) { ++answers; });
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(answers, 0);
}

} // namespace
} // namespace curvalia::platform
