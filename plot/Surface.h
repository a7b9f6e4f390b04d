// What the plotting code needs of a picture box: single points in twips,
// clearing, and the pen width. The Qt window provides a QImage-backed one;
// the tests record every call.
#pragma once

#include "plot/Appearance.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace curvalia::plot {

// One call of the axes renderer, kept by surfaces that draw it again later.
struct AxesCall {
    double Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
    std::int16_t GridOn = 0;
    GridStyle grid = GridStyle::Dots;
    bool operator==(const AxesCall&) const = default;
};

class Surface {
  public:
    virtual ~Surface() = default;
    // One dot of the current pen width, centred at (x, y) twips from the
    // top-left corner, Y downwards, in palette colour 0..15. Positions
    // outside the surface are clipped, never an error.
    virtual void PSet(float xTwips, float yTwips, int paletteColour) = 0;
    // A straight segment of the current pen width between two points in
    // twips, in palette colour 0..15, clipped like PSet. The ends are finite
    // and within a few frames of the surface. Surfaces that can draw lines
    // draw them; the default sets one dot per pixel along the segment.
    virtual void Line(float x1, float y1, float x2, float y2, int paletteColour) {
        const double dx = (static_cast<double>(x2) - x1) / pixelTwipsX();
        const double dy = (static_cast<double>(y2) - y1) / pixelTwipsY();
        const int steps = static_cast<int>(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
        for (int i = 0; i <= steps; ++i) {
            const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
            PSet(static_cast<float>(x1 + t * (x2 - x1)), static_cast<float>(y1 + t * (y2 - y1)),
                 paletteColour);
        }
    }
    // Clears to the background colour.
    virtual void Cls() = 0;
    // Pen width in (logical) pixels for every later PSet.
    virtual void setDrawWidth(int pixels) = 0;

    // Twips from one pixel to the next, along x and y: lines drawn as one
    // dot per pixel use them to stay unbroken. 15 on a surface at its
    // design size.
    virtual double pixelTwipsX() const { return 15; }
    virtual double pixelTwipsY() const { return 15; }
    // The axes renderer brackets its dots with these, so that a surface
    // that keeps what it drew can keep the call instead of the dots and
    // draw it anew at another size.
    virtual void axesBegin(const AxesCall&) {}
    virtual void axesEnd() {}
    // Said before a sweep: at most this many points follow. A surface that
    // keeps a bounded record of its points can give up on it at once rather
    // than fill it only to throw it away.
    virtual void pointsAhead(double) {}
};

} // namespace curvalia::plot
