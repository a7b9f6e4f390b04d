// What the draw command sees of the main window: the status line, the
// inputs to disable, the event queue, the expression, the range texts, the
// two curve switches of the menu and whether the window is closing. The
// window hands over exactly these parts and nothing else.
#pragma once

#include "plot/DrawBusy.h"
#include "plot/PlotHost.h"

#include <functional>
#include <utility>

class QAction;
class QLineEdit;

namespace curvalia::ui {

class AreaDialog;
class QtEventQueue;
class StatusLine;

class MainPlotHost final : public plot::PlotHost {
  public:
    struct Parts {
        StatusLine& status;
        QLineEdit& expression;
        AreaDialog& area;
        QAction& drawFunction;   // "&Funzione"
        QAction& drawDerivative; // "&Derivata Prima"
        QtEventQueue& events;
        std::function<void(bool)> setInputsEnabled;
        std::function<bool()> closeRequested;
    };
    explicit MainPlotHost(Parts parts) : parts_(std::move(parts)) {}

    // While the draw runs, what the engine writes is the draw's: the claim
    // begins and ends with the busy state (both live as long as the window).
    void follow(plot::DrawBusy& busy);

    void setStatus(std::string_view text) override;
    void setInputsEnabled(bool enabled) override;
    bool eventsPending() override;
    void yield() override;
    void repaint() override;
    std::string expressionText() override;
    plot::RangeTexts rangeTexts() override;
    bool drawFunctionChecked() override;
    bool drawDerivativeChecked() override;
    bool closeRequested() override;

  private:
    Parts parts_;
};

} // namespace curvalia::ui
