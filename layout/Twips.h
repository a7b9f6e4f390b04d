// The windows were laid out in twips (1/1440 inch); at the usual screen
// resolution one logical pixel is plot::kTwipsPerPixel twips, the same
// figure the plot surface uses. Layout code keeps the design numbers and
// converts them here, so every window rounds the same way.
#pragma once

#include "plot/PlotFrame.h"

#include <QFont>
#include <QRect>
#include <QStringList>

namespace curvalia::layout {

// Nearest logical pixel.
constexpr int px(int twips) {
    return (twips + plot::kTwipsPerPixel / 2) / plot::kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

// The layout was measured with Arial; Liberation Sans has the same metrics
// and is what a Linux desktop has.
inline QFont arialFont(qreal points, bool bold = false) {
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace curvalia::layout
