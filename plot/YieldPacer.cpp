#include "plot/YieldPacer.h"

namespace curvalia::plot {

YieldPacer::YieldPacer(Clock& clock) : clock_(clock) {
    lastYield_ = lastCheck_ = clock_.now();
}

bool YieldPacer::sampleDone() {
    if (++sinceCheck_ < stride_)
        return false;
    sinceCheck_ = 0;
    const auto now = clock_.now();
    const auto sinceCheck = now - lastCheck_;
    lastCheck_ = now;
    // Slow samples shrink the stride at once (a late yield is what we must
    // avoid); fast ones grow it gradually.
    if (sinceCheck > kCheckInterval)
        stride_ = 1;
    else if (sinceCheck < kCheckInterval / 4 && stride_ < kMaxStride)
        stride_ *= 2;
    return now - lastYield_ >= kYieldInterval;
}

void YieldPacer::yielded() {
    lastYield_ = lastCheck_ = clock_.now();
    sinceCheck_ = 0;
}

} // namespace curvalia::plot
