// When a sweep yields and when it repaints. With YieldEachSample on, pending
// events run after every sample, so the stop button, a colour choice or
// closing the window act at the next sample; with it off the sweep still
// yields now and then, so that the window repaints and the stop button
// works however long the sweep. Either way the surfaces are repainted at
// most about 60 times a second: a repaint costs far more than a sample.
// (The draw command repaints once more at its end, whichever way it ends.)
#pragma once

#include "plot/EventSource.h"
#include "plot/PlotHost.h"

#include <chrono>

namespace curvalia::plot {

class YieldPolicy {
  public:
    // Yield well inside the 50 ms the window may go without events, leaving
    // room for the samples between two clock reads.
    static constexpr std::chrono::milliseconds kYieldInterval{40};
    static constexpr std::chrono::microseconds kRepaintInterval{16667};
    // Reading the clock costs more than a fast sample, so the policy reads
    // it only every few samples and adapts that stride to keep clock reads
    // roughly this far apart.
    static constexpr std::chrono::microseconds kCheckInterval{1000};
    static constexpr int kMaxStride = 256;

    YieldPolicy(Clock& clock, EventSource& events);

    // Called after every sample, with the YieldEachSample switch as it is now.
    void sampleDone(bool yieldEachSample);

  private:
    bool clockDue();
    void repaint(std::chrono::steady_clock::time_point now);

    Clock& clock_;
    EventSource& events_;
    std::chrono::steady_clock::time_point lastYield_;
    std::chrono::steady_clock::time_point lastRepaint_;
    std::chrono::steady_clock::time_point lastCheck_;
    std::chrono::steady_clock::time_point now_;
    int stride_ = 1;
    int sinceCheck_ = 0;
};

} // namespace curvalia::plot
