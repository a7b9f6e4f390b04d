// Helpers of the export tests: a pattern that uses every kind of dot the
// surface records, rendering an SVG at a given pixel size, and pixel
// comparison.
#pragma once

#include "ui/PlotSurfaceWidget.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace curvalia::ui::testing {

inline QImage opaque(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

inline int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    const QImage x = opaque(a), y = opaque(b);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            differing +=
                (x.pixel(column, row) | 0xFF000000u) != (y.pixel(column, row) | 0xFF000000u);
    return differing;
}

// The SVG drawn onto a magenta image of size pixels, so that anything it
// fails to cover shows.
inline QImage renderSvg(const QByteArray& svg, QSize pixels) {
    QSvgRenderer renderer(svg);
    QImage out(pixels, QImage::Format_RGB32);
    out.fill(QColor(255, 0, 255));
    QPainter painter(&out);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return out;
}

// Single points, points covering others in another colour, thick ticks on
// and over the edges, and a point far outside.
inline void drawPattern(PlotSurfaceWidget& surface) {
    for (int i = 0; i < 400; ++i)
        surface.PSet(static_cast<float>(i * 16.5), static_cast<float>(2317.5 + (i % 37) * 30), 10);
    surface.PSet(150, 150, 12);
    surface.PSet(150, 150, 10); // covers the red one
    surface.setDrawWidth(2);
    for (const auto& [x, y] : {std::pair{0.f, 2317.5f},
                               {6675.f, 2317.5f},
                               {3337.5f, 0.f},
                               {3337.5f, 4635.f},
                               {10.f, 4620.f}})
        surface.PSet(x, y, 7);
    surface.setDrawWidth(10);
    surface.PSet(3000, 3000, 9);
    surface.setDrawWidth(1);
    surface.PSet(3000, 3000, 14);
    surface.PSet(1e9f, 5, 15);
}

} // namespace curvalia::ui::testing
