// A draw command on the recording fakes, with the engine's messages going
// to the fake host's status line as the window's sink sends them.
#pragma once

#include "engine/Engine.h"
#include "plot/DrawCommand.h"
#include "recording_surface_support.h"

namespace curvalia::plot::testing {

struct DrawRig {
    engine::Engine engine;
    PlotSwitches switches;
    RecordingSurface graph, bar;
    FakeHost host;
    FakeClock clock;
    PlotModel model;
    DrawCommand command{engine, switches, graph, bar, host, clock, model};

    DrawRig() {
        engine.setStatusSink([this](std::string_view text) { host.setStatus(text); });
    }
};

} // namespace curvalia::plot::testing
