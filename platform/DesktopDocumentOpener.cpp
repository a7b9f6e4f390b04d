#include "platform/DesktopDocumentOpener.h"

#include "platform/OwnSession.h"

#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <unistd.h>
#include <utility>
#include <vector>

namespace curvalia::platform {

namespace {

// What the opener is given: an absolute path as it is, a link in its encoded
// form; empty when the target is neither (nothing that could pass for an
// option of the opener gets through).
QString argumentFor(const std::string& target) {
    const QString text = QString::fromStdString(target);
    if (text.startsWith(QLatin1Char('/')))
        return text;
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return {};
    return url.toString(QUrl::FullyEncoded);
}

// The read end of an opener's report, closed with its notifier.
class Report final : public QSocketNotifier {
  public:
    Report(int pipeEnd, QObject* parent) : QSocketNotifier(pipeEnd, Read, parent) {}
    ~Report() override {
        setEnabled(false); // before the descriptor goes
        ::close(static_cast<int>(socket()));
    }
};

} // namespace

DesktopDocumentOpener::DesktopDocumentOpener(QString opener, QStringList leading, int graceMs)
    : opener_(std::move(opener)), leading_(std::move(leading)), graceMs_(graceMs) {}

// The reports still awaited go with running_, without a word: nothing is
// emitted while they are destroyed.
DesktopDocumentOpener::~DesktopDocumentOpener() = default;

void DesktopDocumentOpener::open(const std::string& target, Answer answer) {
    const QString argument = argumentFor(target);
    const QString program = QStandardPaths::findExecutable(opener_);
    if (argument.isEmpty() || program.isEmpty()) {
        answer(false);
        return;
    }
    std::vector<std::string> argv{QFile::encodeName(program).toStdString()};
    for (const QString& arg : leading_ + QStringList{argument})
        argv.push_back(QFile::encodeName(arg).toStdString());
    const int pipeEnd = startInOwnSession(argv, graceMs_);
    if (pipeEnd < 0) {
        answer(false);
        return;
    }
    // The opener's exit code when it ends within the grace time; end of
    // file alone when it is still running then, which counts as opened.
    auto* report = new Report(pipeEnd, &running_);
    QObject::connect(report, &QSocketNotifier::activated, report,
                     [report, pipeEnd, answer = std::move(answer)] {
                         int code = kNoExitCode;
                         ssize_t got = 0;
                         do
                             got = ::read(pipeEnd, &code, sizeof code);
                         while (got < 0 && errno == EINTR);
                         report->setEnabled(false); // answers once
                         report->deleteLater();
                         answer(got == 0 || (got == sizeof code && code == 0));
                     });
}

} // namespace curvalia::platform
