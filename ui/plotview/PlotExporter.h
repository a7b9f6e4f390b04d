// The plot as image files and on the clipboard, exactly as the surface shows
// it at its present size, with the overlay's layers that belong in images:
// PNG with one pixel per device pixel; SVG with one square per point that
// the surface drew, in its palette colour, over the background, leaving out
// only points that later points cover entirely (or, when the point record
// overflowed, the pixel image embedded in the SVG), then the layers as SVG
// elements. Files are written whole or not at all. A PDF is the printed
// page, which others make and hand over.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>

namespace curvalia::ui {

class PlotSurfaceWidget;

enum class ImageFormat { Png, Svg, Pdf };

// Which format a file name asks for, by its suffix (case ignored).
std::optional<ImageFormat> imageFormatOf(const QString& path);

// The surface's image with the exported layers painted over it.
QImage plotImage(const PlotSurfaceWidget& surface);
QByteArray plotPng(const PlotSurfaceWidget& surface);
QByteArray plotSvg(const PlotSurfaceWidget& surface);

// Writes the plot to path in the format its suffix names, a PDF as pdf
// makes it (empty: it could not). Returns the empty string on success, else
// the Italian message for the user; a failed save leaves no file under path
// (a file already there stays as it was).
QString savePlot(const PlotSurfaceWidget& surface, const QString& path,
                 const std::function<QByteArray()>& pdf = {});

// The Italian message for a write to path that failed with errno error,
// after prefix ("Impossibile salvare il grafico: " unless another is given).
QString saveFailureMessage(const QString& path, int error);
QString saveFailureMessage(const QString& path, int error, const QString& prefix);

void copyPlotToClipboard(const PlotSurfaceWidget& surface);

} // namespace curvalia::ui
