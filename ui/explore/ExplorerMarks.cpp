#include "ui/explore/ExplorerMarks.h"

#include <QLineF>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace curvalia::ui {

namespace {

constexpr qreal kCrossArm = 4; // logical pixels from the centre

// The centre of the pixel that a point set at twips lands in, so that the
// marks sit on the plotted dots.
QPointF pixelCentre(const PlotMapping& mapping, QPointF twips) {
    const QPointF p = mapping.toPixels(twips);
    return QPointF(std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5);
}

QLineF tangentLine(const plot::TwipSegment& t, const PlotMapping& mapping) {
    return QLineF(pixelCentre(mapping, {t.x1, t.y1}), pixelCentre(mapping, {t.x2, t.y2}));
}

} // namespace

QRect crossBounds(const PlotMapping& mapping, QPointF crossTwips) {
    const QPointF c = pixelCentre(mapping, crossTwips);
    const int reach = static_cast<int>(kCrossArm) + 2;
    return QRect(static_cast<int>(c.x()) - reach, static_cast<int>(c.y()) - reach, 2 * reach + 1,
                 2 * reach + 1);
}

void TraceCrossLayer::paint(QPainter& painter, const PlotMapping& mapping) const {
    const std::optional<QPointF> cross = marks_().cross;
    if (!cross)
        return;
    const QPointF c = pixelCentre(mapping, *cross);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(onWhite() ? kCrossColourOnWhite : kCrossColour, 1));
    painter.drawLine(QLineF(c.x() - kCrossArm, c.y(), c.x() + kCrossArm, c.y()));
    painter.drawLine(QLineF(c.x(), c.y() - kCrossArm, c.x(), c.y() + kCrossArm));
    painter.restore();
}

void TangentLayer::paint(QPainter& painter, const PlotMapping& mapping) const {
    const std::optional<plot::TwipSegment> tangent = marks_().tangent;
    if (!tangent)
        return;
    painter.save();
    // Sharp, in its own colour throughout, like the dots of the plot.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kTangentColour, 1));
    painter.drawLine(tangentLine(*tangent, mapping));
    painter.restore();
}

void TangentLayer::appendSvg(std::string& out, const PlotMapping& mapping) const {
    const std::optional<plot::TwipSegment> tangent = marks_().tangent;
    if (!tangent)
        return;
    const QLineF line = tangentLine(*tangent, mapping);
    out += "<line x1=\"" + svgCoordinate(line.x1()) + "\" y1=\"" + svgCoordinate(line.y1()) +
           "\" x2=\"" + svgCoordinate(line.x2()) + "\" y2=\"" + svgCoordinate(line.y2()) +
           "\" stroke=\"" + kTangentColour.name().toStdString() + "\" stroke-width=\"1\"/>\n";
}

} // namespace curvalia::ui
