// Decides when a sweep that does not yield after every sample must still
// yield, so that the window repaints and the stop button works however long
// the sweep. Reading the clock costs more than a fast sample, so the pacer
// reads it only every few samples and adapts that stride to keep clock reads
// roughly a millisecond apart.
#pragma once

#include "plot/PlotHost.h"

#include <chrono>

namespace curvalia::plot {

class YieldPacer {
public:
    // Yield well inside the 50 ms the window may go without events, leaving
    // room for the samples between two clock reads.
    static constexpr std::chrono::milliseconds kYieldInterval{40};
    static constexpr std::chrono::microseconds kCheckInterval{1000};
    static constexpr int kMaxStride = 256;

    explicit YieldPacer(Clock& clock);

    // Called after every sample; true when the sweep should yield now.
    bool sampleDone();
    // Called after every yield, whatever prompted it.
    void yielded();

private:
    Clock& clock_;
    std::chrono::steady_clock::time_point lastYield_;
    std::chrono::steady_clock::time_point lastCheck_;
    int stride_ = 1;
    int sinceCheck_ = 0;
};

} // namespace curvalia::plot
