// The one coordinate frame shared by the axes and the curve: the range is
// laid onto PlotWidth x PlotHeight twips from the top-left corner of the
// plot surface, X to the right, Y downwards.
#pragma once

#include <cmath>

namespace curvalia::plot {

inline constexpr double PlotWidth = 6675;  // x = Xmin at X = 0, x = Xmax at X = 6675
inline constexpr double PlotHeight = 4635; // y = Ymax at Y = 0, y = Ymin at Y = 4635

// A surface pixel at the usual screen resolution; ticks and grid dots are
// thinned so that no pixel gets more than one of them.
inline constexpr int kTwipsPerPixel = 15;

// units * extent / range: the distance of units along an axis of the given
// extent in twips. The product overflows for ranges beyond about 1e304
// although the position itself is small; only then is the quotient taken
// first, so that every ordinary plot keeps its positions to the last bit.
inline double toTwips(double units, double extent, double range) {
    const double direct = extent * units / range;
    return std::isfinite(direct) ? direct : units / range * extent;
}

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
    double column(double x) const { return toTwips(x - Xmin, PlotWidth, RangeX); }
    // Row of a value v. Written from Ymax rather than from AxisY because it
    // is the same place for every sign of the range, with one rounding less.
    double row(double v) const { return toTwips(Ymax - v, PlotHeight, RangeY); }

    // The inverse mapping: the x of a column and the value of a row, in
    // twips from the frame's top-left corner (for reading positions back).
    // The fraction comes first so that no range overflows.
    double xAt(double column) const { return Xmin + column / PlotWidth * RangeX; }
    double valueAt(double row) const { return Ymax - row / PlotHeight * RangeY; }
};

// The frame the axes of this range publish, without drawing them: the
// curves kept on the plot are drawn again before the axes that lie over them.
inline PlotFrame frameOf(double Xmin, double Xmax, double Ymin, double Ymax) {
    PlotFrame frame;
    frame.Xmin = Xmin;
    frame.Ymax = Ymax;
    frame.RangeX = Xmax - Xmin;
    frame.RangeY = Ymax - Ymin;
    if (Ymax < 0)
        frame.AxisY = PlotHeight - toTwips(std::fabs(Ymin), PlotHeight, frame.RangeY);
    else if (Ymin <= 0 && Ymax == 0)
        frame.AxisY = toTwips(std::fabs(Ymin), PlotHeight, frame.RangeY);
    else
        frame.AxisY = toTwips(std::fabs(Ymax), PlotHeight, frame.RangeY);
    return frame;
}

} // namespace curvalia::plot
