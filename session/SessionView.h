// The range a session is drawn at: its four ends, with a step that keeps as
// many samples as the "Area" range would (as zoom does), and the home range
// that zoom goes back to.
#pragma once

#include "plot/RangeReader.h"
#include "session/Session.h"

namespace curvalia::session {

struct SessionRanges {
    plot::PlotRange home;
    plot::PlotRange view;
};

// When the "Area" texts cannot be drawn, the view is its own home, with the
// sample count of the default range.
SessionRanges rangesOf(const Session& session);

} // namespace curvalia::session
