// The draw command: reads the range, draws axes and grid, checks the
// expression, then sweeps x and sets one point per sample for f and f'.
#pragma once

#include "engine/Engine.h"
#include "plot/PlotHost.h"
#include "plot/PlotSettings.h"
#include "plot/Surface.h"

namespace curvalia::plot {

class DrawCommand {
public:
    DrawCommand(engine::Engine& engine, PlotSwitches& switches, Surface& graph, Surface& scrollBar,
                PlotHost& host, Clock& clock);

    // Runs one draw to its end, yielding to the host as it goes. A call made
    // while a draw is already running (from inside a yield) is ignored.
    void run();
    bool isRunning() const;

    // The stop button: the sweep ends after the current sample.
    // (Sets the engine's StopRequested.)
    void requestStop();

    // (the rest is the implementer's)
};

} // namespace curvalia::plot
