// What the plotting code needs of a picture box: single points in twips,
// clearing, and the pen width. The Qt window provides a QImage-backed one;
// the tests record every call.
#pragma once

namespace curvalia::plot {

class Surface {
  public:
    virtual ~Surface() = default;
    // One dot of the current pen width, centred at (x, y) twips from the
    // top-left corner, Y downwards, in palette colour 0..15. Positions
    // outside the surface are clipped, never an error.
    virtual void PSet(float xTwips, float yTwips, int paletteColour) = 0;
    // Clears to the background colour.
    virtual void Cls() = 0;
    // Pen width in (logical) pixels for every later PSet.
    virtual void setDrawWidth(int pixels) = 0;
};

} // namespace curvalia::plot
