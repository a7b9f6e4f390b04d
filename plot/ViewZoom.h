// The free view of the plot: zoom, pan and box zoom over a range of doubles
// that is never written into the range fields, so it is not floored to whole
// units. The home range is what the typed fields draw; every view keeps about
// as many samples as the home range, by scaling the step with the width of x.
#pragma once

#include "plot/RangeReader.h"

namespace curvalia::plot {

// Both widths shrink by this much per wheel notch in.
inline constexpr double kZoomFactor = 1.25;

// A view refused: TooNarrow when an axis would be narrower than
// kMinWidthShare * max(1, |its centre|), TooWide when wider than kMaxWidth
// or with an end that is not a finite number.
enum class ViewOutcome { Changed, TooNarrow, TooWide };
// Narrower than this share of its centre, an axis runs out of distinct doubles
// to draw with.
inline constexpr double kMinWidthShare = 1e-9;
inline constexpr double kMaxWidth = 1e15;

// Whether the range [low, high] of one axis is within the limits, and which
// one it breaks (high <= low counts as too narrow).
ViewOutcome checkAxis(double low, double high);

class ViewZoom {
  public:
    // Starts from the home range, a range the draw command accepted; the
    // view is then the home range itself, with the user's own step.
    void start(const PlotRange& home);
    const PlotRange& home() const { return home_; }
    // Step = the home step scaled by view width x / home width x, to three
    // significant digits; the home step itself at the home width.
    const PlotRange& view() const { return view_; }
    bool atHome() const;

    // notches > 0 zooms in (each notch divides both widths by kZoomFactor),
    // < 0 out, around the point at fraction (fx, fy) of the frame from its
    // left and top edge: that point stays under the same fraction. A step of
    // several notches that would break a limit is refused whole. 0 notches
    // change nothing.
    ViewOutcome zoom(int notches, double fx, double fy);
    // Moves the view by any amount of units, right and up for positive.
    ViewOutcome pan(double dx, double dy);
    // The view becomes the rectangle between two points given in units, in
    // any corner order.
    ViewOutcome box(double x0, double y0, double x1, double y1);
    // Back to the home range exactly.
    void goHome();

  private:
    PlotRange viewOf(double xmin, double xmax, double ymin, double ymax) const;
    ViewOutcome take(const PlotRange& next);

    PlotRange home_;
    PlotRange view_;
    int level_ = 0; // notches in since the anchor was taken

    // Zooms with the pointer held still share one anchor, taken once: the
    // view at each level is then a function of the level alone, and the
    // level at which the anchor was taken gives back its view exactly, so
    // n notches in and n out return to the very same doubles.
    struct Anchor {
        bool valid = false;
        double fx = 0, fy = 0;
        double x = 0, y = 0; // the point under (fx, fy)
        PlotRange view;      // the view at level 0
    } anchor_;
};

} // namespace curvalia::plot
