// What the plot benchmarks share: the window's side of a draw.
#pragma once

#include "plot/DrawCommand.h"
#include "ui/host/QtEventQueue.h"

#include <string>
#include <string_view>
#include <utility>

namespace curvalia::bench {

// The window's side of a draw; with a queue, yields and repaints go to the
// real Qt event loop the way the main window's host sends them.
class BenchHost final : public plot::PlotHost {
  public:
    explicit BenchHost(ui::QtEventQueue* events, std::string expression = "sin(x)")
        : events_(events), expression_(std::move(expression)) {}
    void setStatus(std::string_view) override {}
    void setInputsEnabled(bool) override {}
    bool eventsPending() override { return events_ && events_->eventsPending(); }
    void yield() override {
        if (events_)
            events_->yield();
    }
    void repaint() override {
        if (events_)
            events_->repaint();
    }
    bool closeRequested() override { return false; }
    std::string expressionText() override { return expression_; }
    plot::RangeTexts rangeTexts() override { return texts; }
    bool drawFunctionChecked() override { return true; }
    bool drawDerivativeChecked() override { return true; }
    plot::RangeTexts texts;

  private:
    ui::QtEventQueue* events_;
    std::string expression_;
};

} // namespace curvalia::bench
