#include "ui/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace curvalia::ui {

namespace {
constexpr int kSide = 32; // logical pixels, 480 twips
}

PictureButton::PictureButton(const QString& imagePath, const QString& toolTip, QWidget* parent)
    : QWidget(parent), imagePath_(imagePath) {
    setToolTip(toolTip);
    setFixedSize(kSide, kSide);
    // Move events without a pressed button are what highlights a button.
    setMouseTracking(true);
}

QImage PictureButton::renderedImage(qreal devicePixelRatio) const {
    // Render the vector picture at the device's own resolution rather than
    // scaling a 32-pixel bitmap, so the edges stay sharp on dense screens.
    if (cache_.isNull() || cache_.devicePixelRatio() != devicePixelRatio) {
        const QSize pixels =
            QSizeF(width() * devicePixelRatio, height() * devicePixelRatio).toSize();
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(imagePath_);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        image.setDevicePixelRatio(devicePixelRatio);
        cache_ = image;
    }
    return cache_;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A disabled button is shown faded, so the user sees why it does not react.
    if (!isEnabled())
        painter.setOpacity(0.4);
    painter.drawImage(QPointF(0, 0), renderedImage(devicePixelRatioF()));
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit hovered();
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace curvalia::ui
