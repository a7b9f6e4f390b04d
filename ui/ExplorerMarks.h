// What the plot explorer lays over the plot: the cross of the trace, shown on
// the screen only, and the tangent of the last "Calcola", which also goes into
// saved and copied pictures while it shows. Both are kept in twips of the
// frame and drawn at whatever size the plot has.
#pragma once

#include "plot/TangentLine.h"

#include <QColor>
#include <QPointF>

#include <functional>
#include <optional>

class QPainter;

namespace curvalia::ui {

// Light magenta: none of the curve colours, nor the derivative's red, nor
// the grey of the axes and grid.
inline const QColor kTangentColour(255, 0, 255);
inline const QColor kCrossColour(255, 255, 255);

struct ExplorerMarks {
    std::optional<QPointF> cross;
    std::optional<plot::TwipSegment> tangent;
};

using TwipsToPixels = std::function<QPointF(QPointF twips)>;

void paintTangent(QPainter& painter, const plot::TwipSegment& tangent, const TwipsToPixels& map);
void paintCross(QPainter& painter, QPointF crossTwips, const TwipsToPixels& map);

} // namespace curvalia::ui
