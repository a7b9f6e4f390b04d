// Draws the axes, their ticks and the optional grid (dots, or lines through
// them), and publishes the frame (RangeX, RangeY, AxisY) with which the draw
// command places its points. No text, no clearing.
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

// Expects Xmin < Xmax and Ymin < Ymax with finite differences, and the
// surface's pen width at 1; leaves it at 1. An axis with whole ends gets
// ticks one unit apart counted from its frame edge; one with a non-whole
// end gets them on the multiples of tickStep() within its range. Grid
// columns fall on the x ticks, grid rows on the y tick multiples (or, for
// whole y ends, at gridRowSpacing() down from Ymax). Grid lines run across
// the whole frame through those columns and rows, one pixel wide.
PlotFrame DrawAxes(Surface& graph, double Xmin, double Xmax, double Ymin, double Ymax,
                   std::int16_t GridOn, GridStyle grid = GridStyle::Dots);

// Spacing of the grid rows: PlotHeight / RangeY rounded to the nearest whole
// twip, halves to the even neighbour. 0 means no rows.
std::int16_t gridRowSpacing(double RangeY);

// The distance between drawn ticks (or grid columns) for ticks one unit
// apart: the unit itself, or the smallest whole number of units that spans
// at least one pixel, so that a huge range costs at most a tick per pixel.
double thinnedSpacing(double unitTwips);

// The distance in units between the ticks of an axis from low to high: 1
// while at least two whole numbers lie in the range, so that a view wider
// than that keeps its ticks on whole units; in a narrower one the smallest
// step of 1, 2 or 5 times a power of ten with at most 10 intervals across.
double tickStep(double low, double high);

} // namespace curvalia::plot
