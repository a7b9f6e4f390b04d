// Whether a draw is running: the one answer that every part of the window
// asks (buttons, menu entries, keys, the explorer, the trace, the tangent,
// the value calculator). The draw command holds it from before its first
// yield until after its last, so no part can slip in through a yield that
// comes before the inputs are disabled.
#pragma once

#include <functional>
#include <vector>

namespace curvalia::plot {

class DrawBusy {
  public:
    using Listener = std::function<void(bool busy)>;

    bool busy() const { return busy_; }

    // Told at every change, in the order of listening. A listener lives as
    // long as the busy state does, or guards itself (a widget it calls may
    // go first).
    void listen(Listener listener) { listeners_.push_back(std::move(listener)); }

    // Held by the draw command for the whole of one draw.
    class Scope {
      public:
        explicit Scope(DrawBusy& busy) : busy_(busy) { busy_.set(true); }
        ~Scope() { busy_.set(false); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        DrawBusy& busy_;
    };

  private:
    void set(bool busy) {
        busy_ = busy;
        for (const Listener& listener : listeners_)
            listener(busy);
    }

    bool busy_ = false;
    std::vector<Listener> listeners_;
};

} // namespace curvalia::plot
