#include "ui/ExplorerMarks.h"

#include <QPainter>
#include <QPen>

namespace curvalia::ui {

namespace {

constexpr qreal kCrossArm = 4; // logical pixels from the centre

} // namespace

void paintTangent(QPainter& painter, const plot::TwipSegment& tangent, const TwipsToPixels& map) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kTangentColour, 1));
    painter.drawLine(QLineF(map({tangent.x1, tangent.y1}), map({tangent.x2, tangent.y2})));
    painter.restore();
}

void paintCross(QPainter& painter, QPointF crossTwips, const TwipsToPixels& map) {
    const QPointF c = map(crossTwips);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kCrossColour, 1));
    painter.drawLine(QLineF(c.x() - kCrossArm, c.y(), c.x() + kCrossArm, c.y()));
    painter.drawLine(QLineF(c.x(), c.y() - kCrossArm, c.x(), c.y() + kCrossArm));
    painter.restore();
}

} // namespace curvalia::ui
