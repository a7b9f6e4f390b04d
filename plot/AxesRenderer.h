// Draws the axes, their unit ticks and the optional dot grid, and publishes
// the frame (RangeX, RangeY, AxisY) with which the draw command places its
// points. Points only: no lines, no text, no clearing.
#pragma once

#include "plot/PlotFrame.h"
#include "plot/Surface.h"

#include <cstdint>

namespace curvalia::plot {

// Ticks fall back to these edge positions when their axis lies outside the
// frame or on its edge.
inline constexpr double kLeftTickX = 10;
inline constexpr double kTopTickY = 10;
inline constexpr double kBottomTickY = PlotHeight - 15;

// Expects Xmin < Xmax and Ymin < Ymax, whole numbers with finite
// differences, and the surface's pen width at 1; leaves it at 1.
PlotFrame DrawAxes(Surface& graph, double Xmin, double Xmax, double Ymin, double Ymax,
                   std::int16_t GridOn);

// Spacing of the grid rows: PlotHeight / RangeY rounded to the nearest whole
// twip, halves to the even neighbour. 0 means no rows.
std::int16_t gridRowSpacing(double RangeY);

// The distance between drawn ticks (or grid columns) for ticks one unit
// apart: the unit itself, or the smallest whole number of units that spans
// at least one pixel, so that a huge range costs at most a tick per pixel.
double thinnedSpacing(double unitTwips);

} // namespace curvalia::plot
