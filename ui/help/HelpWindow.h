// The program's own help window: the HTML twin of the help document, built
// into the program, shown when the document cannot be opened on the desktop
// (it is missing from the current directory, or nothing there opens it).
// A window of its own with the usual frame; a dialog only in what it tells
// a screen reader, which would otherwise not read it as a window.
#pragma once

#include "platform/ShellServices.h"

#include <QDialog>

class QKeyEvent;
class QTextBrowser;

namespace curvalia::ui {

class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kResource = ":/help/CurvaliaHelp.html";

    // Brings the open help window forward, or opens a new one.
    static HelpWindow* showSingle(QWidget* parent);
    // The open window, or nullptr.
    static HelpWindow* current();

    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* browser_ = nullptr;
};

// The Help command: the document with the desktop's program when it can,
// otherwise the help window (owned by parent).
void showHelp(platform::ShellServices& services, QWidget* parent);

} // namespace curvalia::ui
