// The Qt event loop as the draw command's event source, with the two plot
// surfaces it repaints.
#pragma once

#include "plot/EventSource.h"

#include <chrono>
#include <initializer_list>
#include <vector>

namespace curvalia::ui {

class PlotSurfaceWidget;

class QtEventQueue final : public plot::EventSource {
  public:
    // Qt 6 cannot tell without a system call whether events wait (that call
    // is what processEvents() itself costs, about 3 us, twenty fast samples),
    // so the queue is looked at when this long has passed since the last
    // look. A click then acts within this time, well before the user sees
    // another point.
    static constexpr std::chrono::microseconds kLookInterval{100};

    explicit QtEventQueue(std::initializer_list<PlotSurfaceWidget*> surfaces);

    bool eventsPending() override;
    void yield() override;
    void repaint() override;

  private:
    std::vector<PlotSurfaceWidget*> surfaces_;
    std::chrono::steady_clock::time_point lastLook_;
    bool repaintWaiting_ = false;
};

} // namespace curvalia::ui
