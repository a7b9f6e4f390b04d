// Turns the five texts of the settings dialog into the range and step of a
// draw, and decides whether they can be drawn at all.
#pragma once

#include "plot/PlotHost.h"

namespace curvalia::plot {

struct PlotRange {
    double Xmin = 0; // the four range values are floored to whole numbers
    double Xmax = 0;
    double Ymin = 0;
    double Ymax = 0;
    double Step = 0; // the step keeps its fraction
};

enum class RangeVerdict {
    Valid,
    BadFields, // a value is not finite, or Xmin >= Xmax, or Ymin >= Ymax
    BadStep,   // the sweep would never reach Xmax with this step
};

struct RangeReading {
    PlotRange range;
    RangeVerdict verdict = RangeVerdict::Valid;
};

RangeReading readRange(const RangeTexts& texts);

// True when x := x + step moves x forward at every x of [from, to]; a step
// that fails this somewhere would keep the sweep on the same sample forever.
bool stepAdvancesAcross(double from, double to, double step);

} // namespace curvalia::plot
