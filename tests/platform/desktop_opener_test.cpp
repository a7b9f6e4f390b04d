// The desktop opener against stand-in openers (a shell playing xdg-open):
// what counts as opened, that the caller is never kept waiting, and what
// the opener is given.
#include "platform/DesktopDocumentOpener.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace curvalia::platform {
namespace {

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "desktop_opener_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* instance =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return instance ? *instance : *QCoreApplication::instance();
}

struct Outcome {
    std::optional<bool> opened;
    qint64 openReturnedMs = 0;
    qint64 answeredMs = -1;
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
    outcome.openReturnedMs = clock.elapsed();
    const QDeadlineTimer deadline(5000);
    while (!outcome.opened && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return outcome;
}

TEST(DesktopDocumentOpener, CountsAnEndWithinTheGraceTimeAndAnOpenerStillRunningAfterIt) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    // An opener that exists and is executable but cannot be started.
    const QString broken = temp.filePath(QStringLiteral("broken-opener"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/nonexistent/interpreter\n");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString sh = QStringLiteral("sh");
    auto script = [](const char* body) {
        return QStringList{QStringLiteral("-c"), QString::fromLatin1(body),
                           QStringLiteral("opener")};
    };
    struct Case {
        const char* what;
        QString program;
        QStringList leading;
        bool opened;
        bool atOnce; // answered before open() returns
    };
    const Case cases[] = {
        {"exits 0", sh, script("exit 0"), true, false},
        {"exits 3: no program for the document", sh, script("exit 3"), false, false},
        {"killed", sh, script("kill -9 $$"), false, false},
        {"still running after the grace time", sh, script("sleep 30"), true, false},
        {"missing", QStringLiteral("curvalia-no-such-opener"), {}, false, true},
        {"cannot start", broken, {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<Outcome> outcome;
        {
            DesktopDocumentOpener opener(c.program, c.leading, 400);
            outcome = openWith(opener, "/cartella/CurvaliaHelp.doc");
        } // a lingering opener ends with its owner
        EXPECT_EQ(outcome->opened, std::optional<bool>(c.opened));
        EXPECT_LT(outcome->openReturnedMs, 300); // never waits for the opener
        if (c.atOnce) {
            EXPECT_LE(outcome->answeredMs, outcome->openReturnedMs);
        } else if (c.opened && std::string(c.what).starts_with("still")) {
            EXPECT_GE(outcome->answeredMs, 300); // the timer may be coarse
        }
    }
}

TEST(DesktopDocumentOpener, HandsOverPathsAndLinksButNothingElse) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString seen = temp.filePath(QStringLiteral("seen"));
    DesktopDocumentOpener opener(QStringLiteral("sh"),
                                 {QStringLiteral("-c"),
                                  QStringLiteral("printf '%s\\n' \"$1\" >> '") + seen + "'",
                                  QStringLiteral("opener")});
    const std::pair<std::string, bool> targets[] = {{"/a folder/CurvaliaHelp.doc", true},
                                                    {"mailto:autore@curvalia.example", true},
                                                    {"https://www.curvalia.example/", true},
                                                    {"-e", false},
                                                    {"", false},
                                                    {"relative/path.doc", false}};
    for (const auto& [target, handedOver] : targets)
        EXPECT_EQ(openWith(opener, target).opened, std::optional<bool>(handedOver)) << target;
    QFile file(seen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              "/a folder/CurvaliaHelp.doc\nmailto:autore@curvalia.example\n"
              "https://www.curvalia.example/\n");
}

} // namespace
} // namespace curvalia::platform
