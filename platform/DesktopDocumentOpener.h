// The desktop's own association, through its opener program (xdg-open).
//
// Qt's QDesktopServices::openUrl answers true as soon as the opener has
// started, so a desktop with no program for the document would show nothing
// and say nothing. Here the opener's own answer counts: missing, unable to
// start, or ending with a non-zero exit within the grace time means "cannot
// open". An opener still running after the grace time has found a program
// (without a desktop session it waits for the viewer it started), so it is
// left to run and counts as opened. Each opener runs in a session of its own
// (see OwnSession.h): the viewer it starts outlives a Ctrl+C on this program
// and this program's end.
#pragma once

#include "platform/DocumentOpener.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace curvalia::platform {

class DesktopDocumentOpener final : public DocumentOpener {
  public:
    static constexpr int kGraceMs = 3000;

    // opener: a program name looked up on PATH, or a path; leading: arguments
    // before the target (tests use a shell that plays the opener).
    explicit DesktopDocumentOpener(QString opener = QStringLiteral("xdg-open"),
                                   QStringList leading = {}, int graceMs = kGraceMs);
    // Openers still running are left to run; those that have not answered
    // yet never do, since whoever asked may be gone as well.
    ~DesktopDocumentOpener() override;
    void open(const std::string& target, Answer answer) override;

  private:
    QString opener_;
    QStringList leading_;
    int graceMs_;
    QObject running_; // parent of the reports still awaited
};

} // namespace curvalia::platform
