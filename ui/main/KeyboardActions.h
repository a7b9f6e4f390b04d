// Everything the main window offers by keyboard beyond its menus' own
// access keys: the Tab order, the menu entries that run the tool buttons'
// commands, the speed entry kept in step with the speed pictures, F10 for
// the menu bar, and the focus given back after a draw. The window calls it
// when a draw disables and enables its inputs.
#pragma once

#include <QObject>
#include <QPointer>

#include "plot/DrawBusy.h"

class QLineEdit;
class QMainWindow;
class QWidget;

namespace curvalia::ui {

class MainMenu;
class PictureButton;

class KeyboardActions : public QObject {
    Q_OBJECT
  public:
    struct Controls {
        QLineEdit& expression;
        PictureButton& draw;
        PictureButton& stop;
        PictureButton& settings;
        PictureButton& value;
        PictureButton& speed;
        QWidget& plot;
    };
    // Stop (Esc) is offered for as long as busy says a draw runs.
    KeyboardActions(QMainWindow& window, MainMenu& menu, Controls controls, plot::DrawBusy& busy);

    // Before a draw disables the inputs: notes which control has the focus,
    // which disabling the expression box would otherwise move on.
    void rememberFocus();
    // After the inputs were disabled or enabled: the entries follow their
    // buttons, and at the draw's end the focus goes back where it was.
    void followDrawInputs(bool enabled);

  private:
    QMainWindow& window_;
    MainMenu& menu_;
    Controls controls_;
    QPointer<QWidget> focusBeforeDraw_;
};

} // namespace curvalia::ui
