// The one event filter on the plot. The parts that listen to the plot's
// mouse, wheel, key and size events register here for a stage, and each
// event visits the stages in the order of Stage below, whatever order the
// parts were created in. A part that takes an event (returns true) ends its
// way: later stages and the plot itself do not see it.
#pragma once

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QEvent;
class QWidget;

namespace curvalia::ui {

class PlotInputRouter : public QObject {
    Q_OBJECT
  public:
    enum class Stage {
        Overlay, // follows the plot's size before anything is painted over it
        Trace,   // the trace takes its keys and the double click first...
        Explore, // ...so arrows pan only when the trace is off; wheel and drags
        ReadOut, // the coordinates under the pointer, unless a text is held
        Window,  // the window's own use of pointer moves (the tool buttons' pictures)
        Count
    };
    using Handler = std::function<bool(QEvent& event)>;

    // Installs itself as the plot's event filter; owned by the plot.
    explicit PlotInputRouter(QWidget& plot);

    // The router of plot, made on first use.
    static PlotInputRouter& of(QWidget& plot);

    // Adds a part at stage; parts of one stage are asked in the order added.
    void add(Stage stage, Handler handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& plot_;
    std::array<std::vector<Handler>, static_cast<std::size_t>(Stage::Count)> stages_;
};

} // namespace curvalia::ui
