// The draw command: reads the range, draws axes and grid, checks the
// expression, then sweeps x and sets one point per sample for f and f'.
#pragma once

#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"
#include "plot/Appearance.h"
#include "plot/DrawBusy.h"
#include "plot/PlotFrame.h"
#include "plot/PlotHost.h"
#include "plot/PlotModel.h"
#include "plot/PlotSettings.h"
#include "plot/RangeReader.h"
#include "plot/SegmentJudge.h"
#include "plot/Surface.h"

#include <cstdint>
#include <optional>
#include <string>

namespace curvalia::plot {

class DrawCommand {
  public:
    DrawCommand(engine::Engine& engine, PlotSwitches& switches, Surface& graph, Surface& scrollBar,
                PlotHost& host, Clock& clock, PlotModel& model);

    // Runs one draw to its end, yielding to the host as it goes. A call made
    // while a draw is already running (from inside a yield) is ignored.
    void run();
    // Draws the shown curves of the model again at view (any range of
    // doubles with a step that advances), which becomes the model's view:
    // at once, without yielding, without status texts, the inputs left as
    // they are. Ignored while a draw runs.
    void redraw(const PlotRange& view);
    // Draws the shown curves of the model at view onto target, as redraw()
    // draws them onto the plot, without clearing it first and without
    // touching the plot, the published frame or the model: for pages and
    // pictures of any size.
    void drawModelOn(Surface& target, const PlotRange& view);
    // The look of every later draw (pen width, joined lines, grid style).
    void setAppearance(const Appearance& appearance) { appearance_ = appearance; }
    const Appearance& appearance() const { return appearance_; }
    PlotModel& model() { return model_; }
    const PlotModel& model() const { return model_; }
    // Busy from the start of run() to its end; every part asks this.
    DrawBusy& busy() { return busy_; }
    const DrawBusy& busy() const { return busy_; }

    // The stop button: the sweep ends after the current sample.
    // (Sets the engine's StopRequested and empties the status line, which
    // is what the button does whether or not a draw runs.)
    void requestStop();

    // The frame that the axes of the last draw published, as long as the
    // plot still shows that draw: none before the first draw, and none from
    // the clearing of the surface until the next axes are drawn.
    const std::optional<PlotFrame>& publishedFrame() const { return publishedFrame_; }
    // The range and step read for the published frame (the step may be
    // one that was refused), under the same conditions.
    const std::optional<PlotRange>& publishedRange() const { return publishedRange_; }

    // The sweep of the draw whose frame is published, once it has started:
    // the expression as it was evaluated (lower-cased) and how many samples
    // it took, so that they can be found again on the plot.
    struct Sweep {
        std::string expression;
        std::int64_t samples = 0;
    };
    const std::optional<Sweep>& lastSweep() const { return lastSweep_; }
    // Counts the draws started, refused ones included: whatever was laid
    // over the plot for an earlier draw is out of date once it moves on.
    std::uint64_t drawNumber() const { return drawNumber_; }

  private:
    struct Curves {
        bool function;
        bool derivative;
    };
    void prepareAndSweep();
    // The curves kept on the plot, at a new range, before its axes; the
    // shown entry of replaced leaves the model for the sweep to enter anew.
    bool redrawKept(const PlotRange& range, const std::string& replaced);
    void sweep(const PlotRange& range, const PlotFrame& frame, const std::string& expression,
               Curves curves);
    // drawModelOn(), saying what the last curve drawn was.
    std::optional<Sweep> drawModel(Surface& target, const PlotRange& view);
    // The axes in the appearance's grid style at pen width 1, the pen then
    // set back to the curves' thickness.
    PlotFrame drawAxes(Surface& target, const PlotRange& range);
    void publish(const PlotRange& range, const PlotFrame& frame);
    // The judge of the sweep of expression onto target, with joined lines on.
    SegmentJudge* judgeFor(const std::string& expression, const PlotFrame& frame,
                           const Surface& target);
    void finish();
    // Every yield outside the sweep: what was drawn is shown, and a close
    // of the window stops the draw like the stop button.
    void yieldNow();
    void stopIfClosing();

    engine::Engine& engine_;
    engine::ReductionSchedule schedule_;
    PlotSwitches& switches_;
    Surface& graph_;
    Surface& scrollBar_;
    PlotHost& host_;
    Clock& clock_;
    PlotModel& model_;
    DrawBusy busy_;
    std::optional<PlotFrame> publishedFrame_;
    std::optional<PlotRange> publishedRange_;
    std::optional<Sweep> lastSweep_;
    std::uint64_t drawNumber_ = 0;
    Appearance appearance_;
    SegmentJudge judge_;
};

} // namespace curvalia::plot
