#include "plot/AxesRenderer.h"

#include "plot/Palette.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace curvalia::plot {

namespace {

constexpr int kAxisDotTwips = 15; // one dot per pixel: the lines look solid
constexpr int kTickPenWidth = 2;
constexpr double kMaxTicksPerAxis = 1000; // thinning keeps it near 446; a bound all the same

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

// Ticks one spacing apart from the frame's edge, placed by repeated
// addition and tested against the far edge, so a spacing that does not
// divide the frame exactly loses the last tick.
std::vector<double> edgeTicks(double spacing, double end) {
    std::vector<double> out;
    for (double p = 0; p <= end; p += spacing)
        out.push_back(p);
    return out;
}

// The multiples of the axis's tick step within [low, high], thinned to at
// most one a pixel, in twips from the frame's edge as at(value) places
// them, in order of value. Counted with an integer: beyond 2^53 adding 1
// to a quotient can leave it as it was.
std::vector<double> stepTicks(double low, double high, double extent, auto at) {
    double step = tickStep(low, high);
    const double twips = toTwips(step, extent, high - low);
    if (twips < kTwipsPerPixel)
        step *= std::ceil(kTwipsPerPixel / twips);
    // A multiple on an edge stays where the division rounds it out (0.7 /
    // 0.1 gives 6.999...): the quotients get a few rounding errors' slack.
    constexpr double slack = 4 * std::numeric_limits<double>::epsilon();
    const double qLow = low / step, qHigh = high / step;
    const double first = std::ceil(qLow - slack * std::abs(qLow));
    const double last = std::floor(qHigh + slack * std::abs(qHigh));
    std::vector<double> out;
    if (!std::isfinite(step) || !(last - first <= kMaxTicksPerAxis))
        return out;
    const long count = static_cast<long>(last - first);
    for (long i = 0; i <= count; ++i) {
        const double p = std::clamp(at((first + static_cast<double>(i)) * step), 0.0, extent);
        if (out.empty() || p != out.back())
            out.push_back(p);
    }
    return out;
}

void tickRun(Surface& graph, const std::vector<double>& ticks, bool horizontal, double across) {
    graph.setDrawWidth(kTickPenWidth);
    for (const double p : ticks) {
        if (horizontal)
            dot(graph, p, across);
        else
            dot(graph, across, p);
    }
    graph.setDrawWidth(1);
}

bool isWhole(double v) {
    return std::floor(v) == v;
}

} // namespace

double thinnedSpacing(double unitTwips) {
    if (unitTwips >= kTwipsPerPixel)
        return unitTwips;
    return unitTwips * std::ceil(kTwipsPerPixel / unitTwips);
}

double tickStep(double low, double high) {
    const double range = high - low;
    if (!(range > 0) || !std::isfinite(range) || std::floor(high) - std::ceil(low) >= 1)
        return 1;
    // From a decade below the step with 10 intervals, since log10 may land
    // on either side of a power of ten. Negative powers divide, so that 0.05
    // is the double nearest 0.05 rather than 5 times the nearest 0.01.
    const double exponent = std::floor(std::log10(range / 10)) - 1;
    for (double e = exponent; e < exponent + 3; ++e) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = e < 0 ? m / std::pow(10.0, -e) : m * std::pow(10.0, e);
            if (range / step <= 10 * (1 + 1e-9))
                return step;
        }
    }
    return std::pow(10.0, exponent + 3);
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
                   std::int16_t GridOn, GridStyle grid) {
    const double W = PlotWidth;
    const double H = PlotHeight;
    graph.axesBegin(AxesCall{Xmin, Xmax, Ymin, Ymax, GridOn, grid});

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
    // Ticks from the frame's edge keep whole views as they always were; a
    // view with a non-whole end puts them on the multiples of its step.
    const double lowX = Xmin, highX = Xmin + RangeX;
    const bool xStepped = !isWhole(Xmin) || !isWhole(Xmax) || tickStep(lowX, highX) != 1;
    const std::vector<double> columns =
        xStepped ? stepTicks(lowX, highX, W, [&](double x) { return frame.column(x); })
                 : edgeTicks(thinnedSpacing(W / RangeX), W);
    tickRun(graph, columns, true, tickY);

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
    const double lowY = Ymax - RangeY, highY = Ymax;
    const bool yStepped = !isWhole(Ymin) || !isWhole(Ymax) || tickStep(lowY, highY) != 1;
    std::vector<double> rows;
    if (yStepped) {
        rows = stepTicks(lowY, highY, H, [&](double y) { return frame.row(y); });
        std::reverse(rows.begin(), rows.end()); // from the top, as in a whole view
    }
    tickRun(graph, yStepped ? rows : edgeTicks(thinnedSpacing(H / RangeY), H), false, tickX);

    // The grid: columns on the x ticks; rows on the y ticks, or for whole
    // y ends measured down from Ymax at a rounded spacing (one that rounds
    // to 0 would never advance).
    if (GridOn != 0) {
        if (!yStepped) {
            const int rawRows = gridRowSpacing(RangeY);
            const int rowSpacing = rawRows > 0 ? static_cast<int>(thinnedSpacing(rawRows)) : 0;
            for (int Y = 0; rowSpacing > 0 && Y <= H; Y += rowSpacing)
                rows.push_back(Y);
        }
        if (grid == GridStyle::Lines) {
            const auto line = [&](double x1, double y1, double x2, double y2) {
                graph.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                           static_cast<float>(y2), kAxesColour);
            };
            for (const double X : columns)
                line(X, 0, X, H);
            for (const double Y : rows)
                line(0, Y, W, Y);
        } else {
            for (const double X : columns)
                for (const double Y : rows)
                    dot(graph, X, Y);
        }
    }
    graph.axesEnd();
    return frame;
}

} // namespace curvalia::plot
