#include "ui/PlotMapping.h"

#include "plot/PlotFrame.h"
#include "ui/PlotSurfaceWidget.h"

#include <cmath>

namespace curvalia::ui {

QPointF twipsAt(const PlotSurfaceWidget& plot, QPointF widgetPosition) {
    const double border = plot.look().borderPixels;
    return (widgetPosition - QPointF(border, border)) * plot::kTwipsPerPixel;
}

QPointF pixelCentreOf(const PlotSurfaceWidget& plot, QPointF twips) {
    const double border = plot.look().borderPixels;
    return QPointF(std::floor(twips.x() / plot::kTwipsPerPixel) + 0.5 + border,
                   std::floor(twips.y() / plot::kTwipsPerPixel) + 0.5 + border);
}

} // namespace curvalia::ui
