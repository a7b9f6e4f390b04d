#include "ui/print/PagePainterSurface.h"

#include "plot/PlotFrame.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace curvalia::ui {

namespace {

constexpr std::size_t kBatchSize = 4096;

} // namespace

double curveWidthMm(int thickness) {
    const int t =
        std::clamp(thickness, plot::Appearance::kMinThickness, plot::Appearance::kMaxThickness);
    return 0.3 + (t - 1) * 0.7 / 3;
}

PagePainterSurface::PagePainterSurface(QPainter& painter, const QRectF& target,
                                       plot::Background background)
    : painter_(painter), target_(target), background_(background),
      twipsX_(kAxesWidthMm * kPointsPerMm * plot::PlotWidth / target.width()),
      twipsY_(kAxesWidthMm * kPointsPerMm * plot::PlotHeight / target.height()) {}

QPointF PagePainterSurface::toPage(double xTwips, double yTwips) const {
    return {target_.left() + xTwips / plot::PlotWidth * target_.width(),
            target_.top() + yTwips / plot::PlotHeight * target_.height()};
}

double PagePainterSurface::penPoints() const {
    // The ticks are set with a wider pen than the axis lines, as on the screen.
    const double mm = inAxes_ ? kAxesWidthMm * std::max(1, penPixels_) : curveWidthMm(penPixels_);
    return mm * kPointsPerMm;
}

QColor PagePainterSurface::colourOf(int paletteColour) const {
    const plot::Rgb c = plot::shownColour(paletteColour, background_);
    return QColor(c.r, c.g, c.b);
}

void PagePainterSurface::PSet(float xTwips, float yTwips, int paletteColour) {
    if (!std::isfinite(xTwips) || !std::isfinite(yTwips))
        return;
    const QPointF at = toPage(xTwips, yTwips);
    const double w = penPoints();
    // Far outside the page nothing shows, and the painter need not see it.
    if (!target_.adjusted(-w, -w, w, w).contains(at))
        return;
    const int colour = paletteColour & 15;
    if (colour != batch_.colour || w != batch_.width || inAxes_ != batch_.squares ||
        batch_.centres.size() >= kBatchSize)
        flush();
    batch_.colour = colour;
    batch_.width = w;
    batch_.squares = inAxes_;
    batch_.centres.push_back(at);
}

void PagePainterSurface::flush() {
    if (batch_.centres.empty())
        return;
    const QColor colour = colourOf(batch_.colour);
    const double w = batch_.width;
    if (batch_.squares) {
        // The axes' dots are squares, so that they join into straight lines.
        std::vector<QRectF> squares;
        squares.reserve(batch_.centres.size());
        for (const QPointF& c : batch_.centres)
            squares.emplace_back(c.x() - w / 2, c.y() - w / 2, w, w);
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(colour);
        painter_.drawRects(squares.data(), static_cast<int>(squares.size()));
    } else {
        // A point of a round-capped pen is a disc of the pen's width.
        QPen pen(colour, w);
        pen.setCapStyle(Qt::RoundCap);
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
        painter_.drawPoints(batch_.centres.data(), static_cast<int>(batch_.centres.size()));
    }
    batch_.centres.clear();
}

void PagePainterSurface::Line(float x1, float y1, float x2, float y2, int paletteColour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    flush(); // what was set before lies under the line
    QPen pen(colourOf(paletteColour), penPoints());
    pen.setCapStyle(inAxes_ ? Qt::SquareCap : Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawLine(toPage(x1, y1), toPage(x2, y2));
}

} // namespace curvalia::ui
