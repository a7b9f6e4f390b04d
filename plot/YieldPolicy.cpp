#include "plot/YieldPolicy.h"

namespace curvalia::plot {

YieldPolicy::YieldPolicy(Clock& clock, EventSource& events) : clock_(clock), events_(events) {
    lastYield_ = lastRepaint_ = lastCheck_ = now_ = clock_.now();
}

bool YieldPolicy::clockDue() {
    if (++sinceCheck_ < stride_)
        return false;
    sinceCheck_ = 0;
    now_ = clock_.now();
    const auto sinceCheck = now_ - lastCheck_;
    lastCheck_ = now_;
    // Slow samples shrink the stride at once (a late yield or repaint is
    // what we must avoid); fast ones grow it gradually.
    if (sinceCheck > kCheckInterval)
        stride_ = 1;
    else if (sinceCheck < kCheckInterval / 4 && stride_ < kMaxStride)
        stride_ *= 2;
    return true;
}

void YieldPolicy::repaint(std::chrono::steady_clock::time_point now) {
    events_.repaint();
    lastRepaint_ = now;
}

void YieldPolicy::sampleDone(bool yieldEachSample) {
    const bool checked = clockDue();
    if (yieldEachSample) {
        bool mustYield = false;
        if (checked && now_ - lastRepaint_ >= kRepaintInterval) {
            repaint(now_);
            mustYield = true; // so the repaint happens now, not at the end
        }
        if (mustYield || events_.eventsPending())
            events_.yield();
        return;
    }
    if (!checked || now_ - lastYield_ < kYieldInterval)
        return;
    if (now_ - lastRepaint_ >= kRepaintInterval)
        repaint(now_);
    events_.yield();
    // The yield may have taken long (a menu opened, a dialog dragged).
    lastYield_ = lastCheck_ = clock_.now();
    sinceCheck_ = 0;
}

} // namespace curvalia::plot
