// The plot on paper: a surface that lays the twip frame onto a rectangle of
// a painter (in points, 1/72 inch) and draws vector shapes, sized in
// millimetres of paper rather than in pixels. Curve dots are discs and
// segments are strokes, 0.3 mm wide at thickness 1 up to 1 mm at 4; the
// axes, their ticks and the grid are drawn 0.2 mm wide. Colours are those
// that read on the page's background.
#pragma once

#include "plot/Appearance.h"
#include "plot/Surface.h"

#include <QColor>
#include <QRectF>

#include <vector>

class QPainter;

namespace curvalia::ui {

inline constexpr double kPointsPerMm = 72.0 / 25.4;
inline constexpr double kAxesWidthMm = 0.2;

// The width on paper of a curve drawn thickness pixels wide on the screen.
double curveWidthMm(int thickness);

class PagePainterSurface final : public plot::Surface {
  public:
    // target: where the frame goes, in the painter's coordinates (points).
    PagePainterSurface(QPainter& painter, const QRectF& target, plot::Background background);
    ~PagePainterSurface() override { flush(); }
    // Draws the dots set so far; before the painter's state changes.
    void flush();

    void PSet(float xTwips, float yTwips, int paletteColour) override;
    void Line(float x1, float y1, float x2, float y2, int paletteColour) override;
    // The page is cleared once, before the plot; the draw never asks.
    void Cls() override {}
    void setDrawWidth(int pixels) override { penPixels_ = pixels; }
    // One step of the axes' dot lines: their width, so that the dots touch
    // and the line is unbroken with a few hundred of them, not millions.
    double pixelTwipsX() const override { return twipsX_; }
    double pixelTwipsY() const override { return twipsY_; }
    void axesBegin(const plot::AxesCall&) override { inAxes_ = true; }
    void axesEnd() override {
        flush();
        inAxes_ = false;
    }

    QPointF toPage(double xTwips, double yTwips) const;
    // The width in points of what is drawn now.
    double penPoints() const;

  private:
    QColor colourOf(int paletteColour) const;

    // Dots of one colour and width, drawn together: a page of thousands of
    // them is then a few paths rather than thousands.
    struct Batch {
        std::vector<QPointF> centres;
        int colour = -1;
        double width = 0;
        bool squares = false;
    };

    QPainter& painter_;
    QRectF target_;
    plot::Background background_;
    double twipsX_, twipsY_;
    int penPixels_ = 1;
    bool inAxes_ = false;
    Batch batch_;
};

} // namespace curvalia::ui
