// The first window of the program: name, version and pictures, until the
// user presses a character key or clicks the panel.
#pragma once

#include <QDialog>

class QFrame;

namespace curvalia::ui {

class SplashWindow : public QDialog {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget* parent = nullptr);

    // "Versione <major>.<minor>", from the version set in the build.
    static QString versionText();

  signals:
    // The user has dismissed the splash: show the main window. Emitted once,
    // before the splash closes, so that at no moment the program is left
    // without a visible window (which would end it).
    void dismissed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void handOver();

    QFrame* frame_ = nullptr;
    bool framePressed_ = false;
    bool handedOver_ = false;
};

} // namespace curvalia::ui
