// What the draw command sees of the main window: the status line, the
// inputs to disable, the event queue, the expression, the range texts and
// the two curve switches of the menu.
#pragma once

#include "plot/PlotHost.h"

namespace curvalia::ui {

class MainWindow;

class MainPlotHost final : public plot::PlotHost {
  public:
    explicit MainPlotHost(MainWindow& window) : window_(window) {}

    void setStatus(std::string_view text) override;
    void setInputsEnabled(bool enabled) override;
    void yield() override;
    std::string expressionText() override;
    plot::RangeTexts rangeTexts() override;
    bool drawFunctionChecked() override;
    bool drawDerivativeChecked() override;

  private:
    MainWindow& window_;
};

} // namespace curvalia::ui
