#include "ui/plotview/PlotOverlay.h"

#include "ui/plotview/PlotInputRouter.h"

#include "ui/plotview/PlotSurfaceWidget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <charconv>

namespace curvalia::ui {

std::string svgCoordinate(double v) {
    char buf[32];
    const auto written = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
    return std::string(buf, written.ptr);
}

QColor shownQColor(int paletteColour, plot::Background background) {
    const plot::Rgb c = plot::shownColour(paletteColour, background);
    return QColor(c.r, c.g, c.b);
}

PlotOverlay::PlotOverlay(PlotSurfaceWidget& plot) : QWidget(&plot), plot_(plot) {
    setObjectName(QStringLiteral("PlotOverlay"));
    // The pointer belongs to the plot underneath (read-out, context menu).
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    plot_.setOverlay(this);
    PlotInputRouter::of(plot_).watch(PlotInputRouter::Stage::Overlay, QEvent::Resize, this,
                                     &PlotOverlay::followPlot);
    followPlot();
    hide();
}

void PlotOverlay::followPlot() {
    // From the plot's size, not its mapping: the plot's own resize handler,
    // which sets the mapping, runs after this overlay has seen the event.
    const int b = plot_.look().borderPixels;
    setGeometry(plot_.rect().adjusted(b, b, -b, -b));
}

void PlotOverlay::layersChanged() {
    // Hidden while no layer shows, so that the plot's own painting, a
    // sweep's included, pays nothing for it.
    const bool any = std::any_of(layers_.begin(), layers_.end(),
                                 [](const auto& layer) { return layer->showing(); });
    setVisible(any);
    if (any)
        update();
}

void PlotOverlay::setAppearance(const plot::Appearance& appearance) {
    appearance_ = appearance;
    for (const auto& layer : layers_)
        layer->setAppearance(appearance);
    layersChanged();
}

bool PlotOverlay::hasExportedLayers() const {
    return std::any_of(layers_.begin(), layers_.end(),
                       [](const auto& layer) { return layer->exported() && layer->showing(); });
}

void PlotOverlay::paintExported(QPainter& painter) const {
    for (const auto& layer : layers_)
        if (layer->exported() && layer->showing())
            layer->paint(painter, plot_.mapping());
}

void PlotOverlay::appendExportedSvg(std::string& out) const {
    for (const auto& layer : layers_)
        if (layer->exported() && layer->showing())
            layer->appendSvg(out, plot_.mapping());
}

void PlotOverlay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    for (const auto& layer : layers_)
        if (layer->showing())
            layer->paint(painter, plot_.mapping());
}

} // namespace curvalia::ui
