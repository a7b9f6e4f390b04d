// Where a twip of the plot frame lands on a plot surface of any size. The
// surface was designed at one size, where one logical pixel is
// plot::kTwipsPerPixel twips; its twip span is what that size covers from
// the first pixel to the last ((446 - 1) x (310 - 1) pixels, 6675 x 4635
// twips, for the plot). At another size the span is laid onto the pixels the
// same way: the pixel of X twips is floor(X * (W - 1) / spanX), and the same
// with Y, H and spanY, so x and y scales may differ. At the design size this
// is floor(X / 15) to the bit (445 / 6675 and 1 / 15 are the same double),
// so the pixels drawn there never change.
//
// Everything that places things on the plot goes through this one class:
// the surface's points, the coordinate read-out, the overlay's layers, the
// exported images.
#pragma once

#include "plot/PlotFrame.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QSizeF>

#include <optional>

namespace curvalia::ui {

// The top-left logical pixel of the dot a pen of penWidth pixels sets at
// the logical pixel position (lx, ly): the pen covers whole pixels, the one
// holding the point and as many on each side as fit, so that dots sit on
// the pixel grid at every device pixel ratio. None for a point so far off
// (or not finite) that converting it to pixels would overflow; no pixel of
// it could show anyway. The screen and the exported images place dots
// through this one function.
inline std::optional<QPoint> dotCorner(float lx, float ly, int penWidth) {
    constexpr float kFarPixels = 1.0e6f;
    if (!(lx > -kFarPixels && lx < kFarPixels && ly > -kFarPixels && ly < kFarPixels))
        return std::nullopt;
    const auto floorToInt = [](float v) {
        const int i = static_cast<int>(v);
        return v < static_cast<float>(i) ? i - 1 : i;
    };
    const int before = (penWidth - 1) / 2;
    return QPoint(floorToInt(lx) - before, floorToInt(ly) - before);
}

class PlotMapping {
  public:
    // The plot at its design size.
    PlotMapping() : PlotMapping(QSize(446, 310)) {}
    // A surface drawn at designPixels, now pixels large (logical pixels,
    // at least 2 x 2).
    explicit PlotMapping(QSize designPixels) : PlotMapping(designPixels, designPixels) {}
    PlotMapping(QSize designPixels, QSize pixels)
        : span_((designPixels.width() - 1) * double(plot::kTwipsPerPixel),
                (designPixels.height() - 1) * double(plot::kTwipsPerPixel)) {
        setPixels(pixels);
    }

    // The same surface at another size.
    PlotMapping resized(QSize pixels) const {
        PlotMapping m = *this;
        m.setPixels(pixels);
        return m;
    }

    QSize pixels() const { return pixels_; }
    // Twips from the first pixel to the last, the same at every size.
    QSizeF span() const { return span_; }
    double pixelsPerTwipX() const { return perTwipX_; }
    double pixelsPerTwipY() const { return perTwipY_; }
    // Twips from one pixel to the next (15 at the design size).
    double twipsPerPixelX() const { return twipsPerPixelX_; }
    double twipsPerPixelY() const { return twipsPerPixelY_; }

    // A position in twips as a logical pixel position; its floor is the
    // pixel that holds it. In float, as the surface computes it.
    float pixelX(float xTwips) const {
        return static_cast<float>(static_cast<double>(xTwips) * perTwipX_);
    }
    float pixelY(float yTwips) const {
        return static_cast<float>(static_cast<double>(yTwips) * perTwipY_);
    }
    QPointF toPixels(QPointF twips) const {
        return QPointF(twips.x() * perTwipX_, twips.y() * perTwipY_);
    }
    // A logical pixel position as twips (the inverse of toPixels).
    QPointF toTwips(QPointF pixels) const {
        return QPointF(pixels.x() * twipsPerPixelX_, pixels.y() * twipsPerPixelY_);
    }

    bool operator==(const PlotMapping&) const = default;

  private:
    void setPixels(QSize pixels) {
        pixels_ = pixels;
        perTwipX_ = (pixels.width() - 1) / span_.width();
        perTwipY_ = (pixels.height() - 1) / span_.height();
        twipsPerPixelX_ = span_.width() / (pixels.width() - 1);
        twipsPerPixelY_ = span_.height() / (pixels.height() - 1);
    }

    QSizeF span_;
    QSize pixels_;
    double perTwipX_ = 0, perTwipY_ = 0;
    double twipsPerPixelX_ = 0, twipsPerPixelY_ = 0;
};

} // namespace curvalia::ui
