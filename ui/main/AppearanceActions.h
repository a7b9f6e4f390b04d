// The one owner of the plot's appearance: "Asp&etto..." in "Opzioni" opens
// its dialog, and an appearance applied goes to the draw command (pen width,
// grid style, joined lines), the plot's surface (background), the layers
// over it and the legend, after which the plot is drawn again at its present
// view so that every change shows at once. Nothing changes while a draw
// runs.
#pragma once

#include "plot/Appearance.h"
#include "plot/DrawCommand.h"
#include "ui/windows/AppearanceDialog.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QWidget;

namespace curvalia::ui {

class Legend;
class PlotOverlay;
class PlotSurfaceWidget;

class AppearanceActions : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        QAction& entry;
        plot::DrawCommand& draw;
        PlotSurfaceWidget& graph;
        PlotOverlay& overlay;
        Legend& legend;
        std::function<void()> redrawn; // the plot was drawn again from its model
    };
    AppearanceActions(Parts parts, QWidget& window);

    const plot::Appearance& appearance() const { return parts_.draw.appearance(); }
    // Hands appearance to every part without drawing the curves again: for
    // a caller that draws them next. False (nothing changed) while a draw runs.
    bool set(const plot::Appearance& appearance);
    // set(), then the model drawn again at its view.
    bool apply(const plot::Appearance& appearance);

    // Opens the dialog on the present appearance; OK applies it.
    void openDialog();
    // Created at the first opening.
    AppearanceDialog* dialog() const { return dialog_; }

  private:
    Parts parts_;
    QWidget& window_;
    QPointer<AppearanceDialog> dialog_;
};

} // namespace curvalia::ui
