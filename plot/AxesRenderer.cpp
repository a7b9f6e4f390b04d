#include "plot/AxesRenderer.h"

#include "plot/Palette.h"

#include <cmath>

namespace curvalia::plot {

namespace {

constexpr int kAxisDotTwips = 15; // one dot per pixel: the lines look solid
constexpr int kTickPenWidth = 2;

void dot(Surface& graph, double x, double y) {
    graph.PSet(static_cast<float>(x), static_cast<float>(y), kAxesColour);
}

// An axis line as one dot per pixel of the surface, from 0 to extent twips
// along it. At 15 twips a pixel the dots sit on whole multiples of 15; on a
// surface of another size, in the middle of each pixel, where no rounding
// can move one onto its neighbour and leave a gap.
void axisLine(Surface& graph, double pitch, double extent, bool horizontal, double across) {
    if (pitch == kAxisDotTwips) {
        for (int p = 0; p <= extent; p += kAxisDotTwips)
            horizontal ? dot(graph, p, across) : dot(graph, across, p);
        return;
    }
    const long last = std::lround(extent / pitch);
    for (long i = 0; i <= last; ++i) {
        const double p = (static_cast<double>(i) + 0.5) * pitch;
        horizontal ? dot(graph, p, across) : dot(graph, across, p);
    }
}

// Ticks are placed by repeated addition and tested against the far edge, so
// a spacing that does not divide the frame exactly loses the last tick.
void tickRun(Surface& graph, double spacing, double end, bool horizontal, double across) {
    graph.setDrawWidth(kTickPenWidth);
    for (double p = 0; p <= end; p += spacing) {
        if (horizontal)
            dot(graph, p, across);
        else
            dot(graph, across, p);
    }
    graph.setDrawWidth(1);
}

} // namespace

double thinnedSpacing(double unitTwips) {
    if (unitTwips >= kTwipsPerPixel)
        return unitTwips;
    return unitTwips * std::ceil(kTwipsPerPixel / unitTwips);
}

std::int16_t gridRowSpacing(double RangeY) {
    const double exact = PlotHeight / RangeY;
    double whole = std::floor(exact);
    const double fraction = exact - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0))
        whole += 1;
    return static_cast<std::int16_t>(whole);
}

PlotFrame DrawAxes(Surface& graph, double Xmin, double Xmax, double Ymin, double Ymax,
                   std::int16_t GridOn) {
    const double W = PlotWidth;
    const double H = PlotHeight;
    graph.axesBegin(AxesCall{Xmin, Xmax, Ymin, Ymax, GridOn});

    PlotFrame frame;
    frame.Xmin = Xmin;
    frame.Ymax = Ymax;
    frame.AxisY = 0;
    frame.RangeX = Xmax - Xmin;
    frame.RangeY = Ymax - Ymin;
    const double RangeX = frame.RangeX;
    const double RangeY = frame.RangeY;

    // The x axis and its ticks.
    double lineY = 0;
    double tickY = 0;
    if (Ymin <= 0 && 0 <= Ymax) {
        lineY = toTwips(std::fabs(Ymax), H, RangeY);
        frame.AxisY = Ymax != 0 ? lineY : toTwips(std::fabs(Ymin), H, RangeY);
        tickY = lineY;
    } else if (Ymax < 0) {
        lineY = toTwips(std::fabs(Ymin), H, RangeY);
        frame.AxisY = H - lineY;
        tickY = kTopTickY;
    } else {
        lineY = toTwips(std::fabs(Ymax), H, RangeY);
        frame.AxisY = lineY;
        tickY = kBottomTickY;
    }
    axisLine(graph, graph.pixelTwipsX(), W, true, lineY);
    const double columnSpacing = thinnedSpacing(W / RangeX);
    tickRun(graph, columnSpacing, W, true, tickY);

    // The y axis and its ticks.
    double lineX = 0;
    double tickX = kLeftTickX;
    if (Xmin <= 0 && 0 <= Xmax) {
        lineX = toTwips(std::fabs(Xmin), W, RangeX);
        if (Xmin != 0 && Xmax != 0)
            tickX = lineX;
    } else if (Xmax < 0) {
        lineX = toTwips(std::fabs(Xmin), W, RangeX);
    } else {
        lineX = toTwips(std::fabs(Xmax), W, RangeX);
    }
    axisLine(graph, graph.pixelTwipsY(), H, false, lineX);
    tickRun(graph, thinnedSpacing(H / RangeY), H, false, tickX);

    // The grid: columns on whole x, rows measured down from Ymax at a
    // rounded spacing. A spacing that rounds to 0 would never advance.
    if (GridOn != 0) {
        const int rawRows = gridRowSpacing(RangeY);
        if (rawRows > 0) {
            const int rowSpacing = static_cast<int>(thinnedSpacing(rawRows));
            for (double X = 0; X <= W; X += columnSpacing)
                for (int Y = 0; Y <= H; Y += rowSpacing)
                    dot(graph, X, Y);
        }
    }
    graph.axesEnd();
    return frame;
}

} // namespace curvalia::plot
