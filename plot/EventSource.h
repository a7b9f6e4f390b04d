// The event queue as the draw command sees it. The sweep yields through
// here; the Qt window provides the real queue, the tests a scripted one.
#pragma once

namespace curvalia::plot {

class EventSource {
  public:
    virtual ~EventSource() = default;
    // Whether yielding now could run anything. Asked after every sample of
    // a slow sweep, so it must be cheap; true when unsure.
    virtual bool eventsPending() = 0;
    // Lets pending user-interface events run once.
    virtual void yield() = 0;
    // Puts what was drawn since the last repaint on the screen (the next
    // yield paints it).
    virtual void repaint() = 0;
};

} // namespace curvalia::plot
