// "&Apri sessione..." (Ctrl+O) and "Salva sessio&ne..." (Ctrl+Shift+S): the
// whole lesson (curves, "Area", view, the menu's choices, the appearance)
// written to a .curvalia file and read back. A file is checked whole before
// anything changes, so a refused one leaves the program exactly as it was.
// Neither runs while a draw does.
#pragma once

#include "session/Session.h"

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace curvalia::plot {
class DrawCommand;
struct PlotSwitches;
} // namespace curvalia::plot

namespace curvalia::ui {

class AppearanceActions;
class AreaDialog;
class MainMenu;

class SessionActions : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* kInvalidPrefix = "Il file non è una sessione valida: ";

    struct Parts {
        MainMenu& menu;
        const plot::PlotSwitches& switches;
        AreaDialog& area;
        plot::DrawCommand& draw;
        QLineEdit& expression;
        AppearanceActions& appearance;
        std::function<void()> redrawn; // the plot was drawn again from its model
    };
    SessionActions(Parts parts, QWidget& window);

    // The state as it is now, and the state replaced by session (drawn).
    session::Session capture() const;
    void apply(const session::Session& session);

    // Reads path and applies it, or says why not; false when refused.
    bool open(const QString& path);
    // Asks for a file and opens or writes it.
    void openChosen();
    void saveChosen();

    // Replaceable for the tests: the file dialogs (empty: cancelled) and the
    // message box.
    std::function<QString()> askOpenPath;
    std::function<QString()> askSavePath;
    std::function<void(const QString&)> showError;

  private:
    QString askWithDialog(bool save);

    Parts parts_;
    QWidget& window_;
    QString lastFolder_;
};

} // namespace curvalia::ui
