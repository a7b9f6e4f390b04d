#include "ui/explore/ZoomBoxLayer.h"

#include <QPainter>

namespace curvalia::ui {

void ZoomBoxLayer::paint(QPainter& painter, const PlotMapping& mapping) const {
    if (!box_)
        return;
    const QRectF pixels(mapping.toPixels(box_->topLeft()), mapping.toPixels(box_->bottomRight()));
    // Dashed white over a faint fill: it reads on the black plot and over
    // curves of any colour; on a white plot, the same in black.
    const QColor ink = onWhite() ? QColor(0, 0, 0) : QColor(255, 255, 255);
    QPen pen(ink);
    pen.setStyle(Qt::DashLine);
    pen.setWidth(1);
    painter.setPen(pen);
    painter.setBrush(QColor(ink.red(), ink.green(), ink.blue(), 40));
    painter.drawRect(pixels.normalized());
}

} // namespace curvalia::ui
