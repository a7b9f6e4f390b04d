// The About box: title, version, credit, the author's e-mail and web links,
// a disclaimer, and the button that starts the system-information tool.
// It is modeless and there is never more than one.
#pragma once

#include "platform/ShellServices.h"

#include <QDialog>
#include <QString>

#include <string>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;

namespace curvalia::ui {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kEmail = "autore@curvalia.example";
    static constexpr const char* kWebPage = "https://www.curvalia.example/";
    static constexpr const char* kCredit = "Realizzato da Curvalia Lab";

    // Brings the open About box forward, or builds and shows a new one (its
    // texts loaded afresh) when none is open. Never blocks the caller.
    static AboutBox* showSingle(QWidget* parent, platform::ShellServices& services);
    // The open box, or nullptr.
    static AboutBox* current();
    // Closes the open box, if any (for the main window's exit).
    static void closeSingle();

    AboutBox(platform::ShellServices& services, QWidget* parent = nullptr);

    // "Versione <major>.<minor>.<patch>", from the version set in the build.
    static QString versionText();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void loadTexts();
    void openEmail();
    void openWebPage();
    // Each link: the target handed to the desktop, the address shown when it
    // cannot be opened.
    void openLinks(const std::vector<std::pair<std::string, QString>>& links);

    platform::ShellServices& services_;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblDescription_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
    QObject* pressedLink_ = nullptr;
};

} // namespace curvalia::ui
