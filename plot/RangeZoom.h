// Zooming and panning the plot by whole units. The draw command floors the
// four range fields, so every range this hands out is whole-numbered and at
// least one unit wide. The zoom keeps its own unrounded range, so that the
// levels stay about 1.25 times apart however the rounding falls, and the
// step follows the width of x, so that every zoomed draw takes about as many
// samples as the range it started from.
#pragma once

#include "plot/PlotHost.h"
#include "plot/RangeReader.h"
#include "plot/ViewZoom.h"

#include <cstdint>

namespace curvalia::plot {

// A zoom out that would need more samples than this is not made.
inline constexpr double kMaxZoomSamples = 2'000'000;

enum class ZoomOutcome {
    Changed,
    Narrowest, // both axes are already one unit wide
    Widest,    // the next level would take too many samples or be refused
    Refused,   // a pan that would leave the ranges the draw command accepts
};

// The five field texts of a range: whole numbers as such ("-3", "1e+20"),
// the step in the shortest text that reads back to it.
RangeTexts rangeTextsOf(const PlotRange& range);

// Samples the sweep takes over the range (0 for a step that never advances).
double sampleCount(const PlotRange& range);

class RangeZoom {
  public:
    // Starts over from a drawn range; the zoom and the pans are relative to it.
    void start(const PlotRange& drawn);
    const PlotRange& shown() const { return shown_; }
    int level() const { return level_; }

    // notches > 0 zooms in, < 0 out, around the point at fraction (fx, fy)
    // of the frame (from its left and from its top edge).
    ZoomOutcome zoom(int notches, double fx, double fy);
    // Moves the range by whole units, right and up for positive amounts.
    ZoomOutcome pan(double dxUnits, double dyUnits);

  private:
    double widthX(int level) const;
    double widthY(int level) const;
    double stepFor(double shownWidth) const;

    PlotRange base_;
    PlotRange shown_;
    int level_ = 0;
    double uxmin_ = 0; // the unrounded range's lower corner
    double uymin_ = 0;

    // Zooms with the pointer held still share one anchor, computed once:
    // the range at each level is then a function of the level alone, and
    // the level at which the anchor was taken gives back its range exactly.
    struct Anchor {
        bool valid = false;
        double fx = 0, fy = 0;
        double x = 0, y = 0;
        int level = 0;
        PlotRange shown;
        double uxmin = 0, uymin = 0;
    } anchor_;
};

} // namespace curvalia::plot
