#include "ui/main/Announcements.h"

#include "calc/ValueWindow.h"
#include "ui/explore/CoordinateLabel.h"
#include "ui/explore/TraceControl.h"
#include "ui/host/Narrator.h"
#include "ui/host/StatusLine.h"
#include "ui/main/MainMenu.h"
#include "ui/main/PictureButton.h"
#include "ui/main/StudyHost.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QApplication>
#include <QWindow>

namespace curvalia::ui {

using Channel = Narrator::Channel;

Announcements::Announcements(platform::ScreenReader& reader, Parts parts, QObject* parent)
    : QObject(parent), parts_(parts), narrator_(new Narrator(reader, this)) {
    setObjectName(QStringLiteral("announcements"));
    followStatusLine();
    connect(&parts_.notes, &CoordinateLabel::noteShown, narrator_, [this](const QString& note) {
        narrator_->sayAfterPause(Channel::Notes, note, kNotchPause);
    });
    connect(&parts_.area, &AreaDialog::noteChanged, narrator_, [this](const QString& note) {
        narrator_->sayAfterPause(Channel::AreaNote, note, kTypingPause);
    });
    connect(&parts_.trace, &TraceControl::traced, narrator_,
            [this](const QString& spoken, bool byPointer) {
                if (byPointer) {
                    narrator_->sayAfterPause(Channel::Pointer, spoken, kPointerPause);
                    return;
                }
                narrator_->cancel(Channel::Pointer);
                narrator_->say(spoken);
            });
    followSwitches();
}

Announcements::~Announcements() {
    parts_.status.onWrite({});
}

void Announcements::followStatusLine() {
    parts_.status.onWrite([this](StatusOwner writer, const QString& text) {
        // Live drawing writes at every keystroke: its message is said once
        // the typing pauses. Any other writer's text replaces it.
        if (writer == StatusOwner::Live) {
            narrator_->sayAfterPause(Channel::Live, text, kTypingPause);
            return;
        }
        narrator_->cancel(Channel::Live);
        narrator_->say(text);
    });
}

void Announcements::followSwitches() {
    // "Disegno veloce" presses the speed button, whose new name is said.
    const MainMenu& menu = parts_.menu;
    for (QAction* entry : {menu.funzione, menu.derpri, menu.GrigliaM, menu.noncancellare,
                           menu.axisNumbers, menu.traccia, menu.disegnoAutomatico}) {
        connect(entry, &QAction::triggered, narrator_, [this, entry](bool checked) {
            saySwitch(entry->iconText() +
                      (checked ? QStringLiteral(" attivato") : QStringLiteral(" disattivato")));
        });
    }
    connect(&parts_.speed, &PictureButton::faceChanged, narrator_,
            [this] { saySwitch(parts_.speed.accessibleName()); });
    connect(qApp, &QApplication::focusChanged, narrator_, [this] { focusSettling(); });
    connect(qApp, &QGuiApplication::focusWindowChanged, narrator_, [this] { focusSettling(); });
}

void Announcements::saySwitch(const QString& text) {
    // Each toggle is news, even back to a state said before.
    narrator_->cancel(Channel::Switches);
    switchText_ = text;
    narrator_->sayAfterPause(Channel::Switches, text, kSwitchPause);
}

void Announcements::focusSettling() {
    // The focus comes back from the menu later than the entry's trigger, the
    // more so on a slow machine: the pause counts from its last move.
    if (narrator_->waiting(Channel::Switches))
        narrator_->sayAfterPause(Channel::Switches, switchText_, kSwitchPause);
}

void Announcements::drawEnded() {
    narrator_->say(QString::fromUtf8(kDrawEnded));
    // The study costs a sweep or more of the curve: only for a listener.
    if (narrator_->listening())
        narrator_->say(parts_.study.drawSummary());
}

void Announcements::follow(calc::ValueWindow& window) {
    connect(&window, &calc::ValueWindow::calculated, narrator_, [this, &window] {
        narrator_->say(calc::spokenResults(window.lastCalculation().fields));
    });
}

} // namespace curvalia::ui
