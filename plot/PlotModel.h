// What the plot shows: the curves drawn on it, the range typed in "Area"
// (home) and the part of the plane on the screen (view). The draw command
// keeps it up to date as it draws; zoom, the list of functions and live
// drawing change it and have the plot drawn again from it.
#pragma once

#include "plot/Palette.h"
#include "plot/RangeReader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace curvalia::plot {

struct Curve {
    std::string expression; // as drawn: lower-cased
    std::int16_t colour = 10;
    // None until the user picks one: f' keeps the fixed colour till then.
    std::optional<std::int16_t> derivativeColour;
    bool function = true;    // "&Funzione" at its draw
    bool derivative = false; // "&Derivata Prima" at its draw
    bool visible = true;

    int derivativePaletteColour() const { return derivativeColour.value_or(kDerivativeColour); }
    // Anything of it on the plot.
    bool shown() const { return visible && (function || derivative); }
};

class PlotModel {
  public:
    using Listener = std::function<void()>;

    const std::vector<Curve>& curves() const { return curves_; }
    std::size_t size() const { return curves_.size(); }
    bool empty() const { return curves_.empty(); }
    // The index of a curve with this expression, if any.
    std::optional<std::size_t> find(const std::string& expression) const;
    // Indexes of the shown curves, in the order drawn.
    std::vector<std::size_t> shownCurves() const;
    std::size_t shownCount() const;

    // The plot was cleared: no curve left.
    void clearCurves();
    // A sweep starts: its curve is added, or replaces the entry of the same
    // expression, and is the newest (drawn last, so on top). Returns its index.
    std::size_t enter(Curve curve);
    void remove(std::size_t index);
    // Changes of one curve by the user (colours, switches, visibility).
    Curve& edit(std::size_t index) { return curves_.at(index); }
    // Says that edit() changed something, for those who list the curves.
    void changed();

    // The curve that typing in the expression box replaces: the last one
    // drawn unless another was picked since. None with no curves.
    std::optional<std::size_t> edited() const;
    void setEdited(std::size_t index);

    const std::optional<PlotRange>& home() const { return home_; }
    const std::optional<PlotRange>& view() const { return view_; }
    void setHome(const PlotRange& range) { home_ = range; }
    void setView(const PlotRange& range) { view_ = range; }

    // Told after every change of the curves.
    void listen(Listener listener) { listeners_.push_back(std::move(listener)); }

  private:
    std::vector<Curve> curves_;
    std::optional<std::size_t> edited_;
    std::optional<PlotRange> home_;
    std::optional<PlotRange> view_;
    std::vector<Listener> listeners_;
};

} // namespace curvalia::plot
