#include "ui/windows/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace curvalia::ui {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), resource_(resource) {}

void SvgPicture::paintEvent(QPaintEvent*) {
    // Rendered as vectors on every paint, so a dense screen gets a sharp
    // picture instead of a scaled bitmap; these pictures are painted rarely.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer renderer(resource_);
    renderer.render(&painter, QRectF(rect()));
}

} // namespace curvalia::ui
