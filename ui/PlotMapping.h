// Between positions on the plot widget (logical pixels, its frame included)
// and twips of the plot frame, at the plot's present size. The explorer and
// its marks go through here only.
#pragma once

#include <QPointF>

namespace curvalia::ui {

class PlotSurfaceWidget;

// The twips under a widget position (a pixel's left and top edge map onto
// the first twip of that pixel).
QPointF twipsAt(const PlotSurfaceWidget& plot, QPointF widgetPosition);
// The centre of the pixel in which a point set at twips lands, in widget
// coordinates.
QPointF pixelCentreOf(const PlotSurfaceWidget& plot, QPointF twips);

} // namespace curvalia::ui
