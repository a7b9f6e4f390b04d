// Turns the five texts of the settings dialog into the range and step of a
// draw, and decides whether they can be drawn at all.
#pragma once

#include "plot/PlotHost.h"

#include <string>

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

// The status text of a refusal ("Campi errati", "Step non valido"). A comma
// ends the number it is in, so "0,5" reads as 0; when the texts with their
// commas read as decimal points would not earn the same refusal, the text
// adds the hint to use the point.
std::string refusalText(const RangeTexts& texts, RangeVerdict verdict);

// True when x := x + step moves x forward at every x of [from, to]; a step
// that fails this somewhere would keep the sweep on the same sample forever.
bool stepAdvancesAcross(double from, double to, double step);

} // namespace curvalia::plot
