// What a screen reader hears besides what it reads off the widgets: short
// texts spoken once as things happen (a draw's end, a result, a trace move).
// The window talks to this interface only; tests hand it a fake that keeps
// what was said.
#pragma once

#include <QString>

namespace curvalia::platform {

class ScreenReader {
  public:
    virtual ~ScreenReader() = default;
    // Whether an assistive technology may be listening: summaries that cost
    // work (the study after a draw) are only made then.
    virtual bool listening() const = 0;
    // Speaks the text once, now, without changing what any widget shows.
    virtual void speak(const QString& text) = 0;
};

} // namespace curvalia::platform
