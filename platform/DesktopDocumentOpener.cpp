#include "platform/DesktopDocumentOpener.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <utility>

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

} // namespace

DesktopDocumentOpener::DesktopDocumentOpener(QString opener, QStringList leading, int graceMs)
    : opener_(std::move(opener)), leading_(std::move(leading)), graceMs_(graceMs) {}

DesktopDocumentOpener::~DesktopDocumentOpener() {
    // Ending a process emits finished() from its destructor, which would
    // answer from an opener half torn down.
    for (QProcess* process :
         running_.findChildren<QProcess*>(QString(), Qt::FindDirectChildrenOnly))
        QObject::disconnect(process, nullptr, nullptr, nullptr);
}

void DesktopDocumentOpener::open(const std::string& target, Answer answer) {
    const QString argument = argumentFor(target);
    const QString program = QStandardPaths::findExecutable(opener_);
    if (argument.isEmpty() || program.isEmpty()) {
        answer(false);
        return;
    }
    // Whichever comes first, the opener's end or the grace time, answers.
    auto once = std::make_shared<Answer>(std::move(answer));
    auto tell = [once](bool opened) {
        if (*once)
            std::exchange(*once, nullptr)(opened);
    };
    auto* process = new QProcess(&running_);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    auto* grace = new QTimer(process);
    grace->setSingleShot(true);
    QObject::connect(grace, &QTimer::timeout, process, [tell] { tell(true); });
    QObject::connect(process, &QProcess::finished, process,
                     [tell, process](int code, QProcess::ExitStatus status) {
                         tell(status == QProcess::NormalExit && code == 0);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [tell, process](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash also ends in finished()
                         tell(false);
                         process->deleteLater();
                     });
    grace->start(graceMs_);
    process->start(program, leading_ + QStringList{argument});
}

} // namespace curvalia::platform
