// The one coordinate frame shared by the axes and the curve: the range is
// laid onto PlotWidth x PlotHeight twips from the top-left corner of the
// plot surface, X to the right, Y downwards.
#pragma once

namespace curvalia::plot {

inline constexpr double PlotWidth = 6675;  // x = Xmin at X = 0, x = Xmax at X = 6675
inline constexpr double PlotHeight = 4635; // y = Ymax at Y = 0, y = Ymin at Y = 4635

// A surface pixel at the usual screen resolution; ticks and grid dots are
// thinned so that no pixel gets more than one of them.
inline constexpr int kTwipsPerPixel = 15;

// What DrawAxes publishes for the points of one draw.
struct PlotFrame {
    double Xmin = 0;
    double Ymax = 0;
    double RangeX = 1; // Xmax - Xmin
    double RangeY = 1; // Ymax - Ymin
    // The x axis's distance from the top of the frame (4635 when Ymax is 0,
    // although the axis then runs along the top edge).
    double AxisY = 0;

    // Column of a sample x.
    double column(double x) const { return PlotWidth * (x - Xmin) / RangeX; }
    // Row of a value v. Written from Ymax rather than from AxisY because it
    // is the same place for every sign of the range, with one rounding less.
    double row(double v) const { return PlotHeight * (Ymax - v) / RangeY; }
};

} // namespace curvalia::plot
