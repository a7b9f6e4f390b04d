// The draw command's view of the window that hosts it. Everything the sweep
// needs from the outside goes through here, so the sweep can run against
// fakes in the tests.
#pragma once

#include "plot/EventSource.h"

#include <chrono>
#include <string>
#include <string_view>

namespace curvalia::plot {

// The five texts of the settings dialog, read at the start of each draw.
struct RangeTexts {
    std::string xmin = "-10";
    std::string xmax = "10";
    std::string ymin = "-10";
    std::string ymax = "10";
    std::string step = "0.01";
};

class PlotHost : public EventSource {
  public:
    virtual void setStatus(std::string_view text) = 0;
    // Disables (false) or re-enables (true) the controls that would disturb a
    // running sweep: the five range fields, the expression box, the settings
    // and calculator buttons (and the calculator's own button).
    virtual void setInputsEnabled(bool enabled) = 0;
    virtual std::string expressionText() = 0; // as typed; the command lower-cases it
    virtual RangeTexts rangeTexts() = 0;
    virtual bool drawFunctionChecked() = 0;   // menu entry "&Funzione"
    virtual bool drawDerivativeChecked() = 0; // menu entry "&Derivata Prima"
    // True once the window has been asked to close: the draw ends at its
    // next yield, and the window closes when it has.
    virtual bool closeRequested() = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::steady_clock::time_point now() = 0;
};

class SteadyClock final : public Clock {
  public:
    std::chrono::steady_clock::time_point now() override {
        return std::chrono::steady_clock::now();
    }
};

} // namespace curvalia::plot
