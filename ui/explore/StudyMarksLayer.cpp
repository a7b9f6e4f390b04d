#include "ui/explore/StudyMarksLayer.h"

#include "plot/Palette.h"

#include <QPainter>
#include <QPen>

#include <cstdio>

namespace curvalia::ui {

namespace {

constexpr qreal kRingRadius = 4; // logical pixels

} // namespace

void StudyMarksLayer::paint(QPainter& painter, const PlotMapping& mapping) const {
    const StudyMarks marks = marks_();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(shownQColor(marks.colour, appearance().background), 1.5));
    painter.setBrush(Qt::NoBrush);
    for (const QPointF& twips : marks.twips)
        painter.drawEllipse(mapping.toPixels(twips), kRingRadius, kRingRadius);
    painter.restore();
}

void StudyMarksLayer::appendSvg(std::string& out, const PlotMapping& mapping) const {
    const StudyMarks marks = marks_();
    const QColor colour = shownQColor(marks.colour, appearance().background);
    char stroke[8];
    std::snprintf(stroke, sizeof stroke, "#%02x%02x%02x", colour.red(), colour.green(),
                  colour.blue());
    for (const QPointF& twips : marks.twips) {
        const QPointF p = mapping.toPixels(twips);
        out += "<circle cx=\"" + svgCoordinate(p.x()) + "\" cy=\"" + svgCoordinate(p.y()) +
               "\" r=\"4\" fill=\"none\" stroke=\"" + stroke + "\" stroke-width=\"1.5\"/>\n";
    }
}

} // namespace curvalia::ui
