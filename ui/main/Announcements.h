// What the main window tells a screen reader besides what its widgets show,
// and when: the status line's texts and the read-out's notes as they
// appear, the end of a draw the user started with a short study of the
// curve, the results of "Calcola", each move of the trace, the view after a
// burst of zoom notches, the new state of a switch. Texts that come in
// bursts (typing, the wheel, the pointer) are said once the burst pauses.
#pragma once

#include "platform/ScreenReader.h"

#include <QObject>

#include <chrono>

namespace curvalia::calc {
class ValueWindow;
}

namespace curvalia::ui {

class AreaDialog;
class CoordinateLabel;
class MainMenu;
class Narrator;
class PictureButton;
class StatusLine;
class StudyHost;
class TraceControl;

class Announcements : public QObject {
    Q_OBJECT
  public:
    // How long each kind of burst must pause before its last text is said.
    static constexpr std::chrono::milliseconds kNotchPause{500};
    static constexpr std::chrono::milliseconds kTypingPause{1000};
    static constexpr std::chrono::milliseconds kPointerPause{300};
    // A switch's new state waits for its menu to close: Orca drops what
    // comes amid the events of a closing menu.
    static constexpr std::chrono::milliseconds kSwitchPause{600};
    static constexpr const char* kDrawEnded = "Disegno terminato";

    struct Parts {
        StatusLine& status;
        CoordinateLabel& notes;
        AreaDialog& area;
        TraceControl& trace;
        MainMenu& menu;
        PictureButton& speed;
        StudyHost& study;
    };
    // reader outlives this object.
    Announcements(platform::ScreenReader& reader, Parts parts, QObject* parent);
    ~Announcements() override;

    // A draw started by the user has ended.
    void drawEnded();
    // The value calculator, once it exists: its results are said.
    void follow(calc::ValueWindow& window);

  private:
    void followStatusLine();
    void followSwitches();
    void saySwitch(const QString& text);
    void focusSettling();

    Parts parts_;
    Narrator* narrator_;
    QString switchText_; // the switch's state waiting to be said
};

} // namespace curvalia::ui
