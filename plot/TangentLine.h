// The tangent of the value calculator drawn across the plot: the piece of
// the line through (x, value) with the given slope that lies inside the
// frame, in twips.
#pragma once

#include "plot/PlotFrame.h"

#include <optional>

namespace curvalia::plot {

struct TwipSegment {
    double x1 = 0, y1 = 0; // the left end
    double x2 = 0, y2 = 0;
};

// None when x lies outside the frame's x range, when a number is not
// finite, or when the line misses the frame.
std::optional<TwipSegment> tangentAcrossFrame(const PlotFrame& frame, double x, double value,
                                              double slope);

} // namespace curvalia::plot
