#include "ui/main/PictureButton.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <utility>

namespace curvalia::ui {

namespace {
constexpr int kSide = 32; // logical pixels, 480 twips
} // namespace

PictureButton::PictureButton(Face first, Face second, Naming naming, QWidget* parent)
    : QAbstractButton(parent), first_(std::move(first)), second_(std::move(second)),
      naming_(naming) {
    setFixedSize(kSide + 2 * kMargin, kSide + 2 * kMargin);
    // Move events without a pressed button are what highlights a button.
    setMouseTracking(true);
    // Reached with Tab; a click must not take the focus from the expression
    // box, where the user goes on typing after a draw.
    setFocusPolicy(Qt::TabFocus);
    setToolTip(first_.toolTip);
    setAccessibleName(naming_ == Naming::AfterSecondFace ? second_.toolTip : first_.toolTip);
}

void PictureButton::placePicture(QPoint topLeft) {
    move(topLeft - QPoint(kMargin, kMargin));
}

QRect PictureButton::pictureGeometry() const {
    return pictureRect().translated(pos());
}

QRect PictureButton::pictureRect() const {
    return QRect(kMargin, kMargin, kSide, kSide);
}

void PictureButton::setShowsSecond(bool second) {
    if (second == showsSecond_)
        return;
    showsSecond_ = second;
    setToolTip(shownFace().toolTip);
    // Setting the name tells a screen reader that the switch changed.
    if (naming_ == Naming::AfterShownFace)
        setAccessibleName(shownFace().toolTip);
    update();
    emit faceChanged(second);
}

QImage PictureButton::renderedImage(qreal devicePixelRatio) const {
    // Render the vector picture at the device's own resolution rather than
    // scaling a 32-pixel bitmap, so the edges stay sharp on dense screens.
    if (cache_.isNull() || cache_.devicePixelRatio() != devicePixelRatio ||
        cacheOfSecond_ != showsSecond_) {
        const QSize pixels = QSizeF(kSide * devicePixelRatio, kSide * devicePixelRatio).toSize();
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(shownFace().imagePath);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        image.setDevicePixelRatio(devicePixelRatio);
        cache_ = image;
        cacheOfSecond_ = showsSecond_;
    }
    return cache_;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (hasFocus()) {
        // Two pixels wide, one pixel clear of the picture: plain to see on a
        // projector, and the picture itself stays as it is.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    // A disabled button is shown faded, so the user sees why it does not react.
    if (!isEnabled())
        painter.setOpacity(0.4);
    painter.drawImage(QPointF(kMargin, kMargin), renderedImage(devicePixelRatioF()));
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    // Over the margin the pointer is over whatever lies behind the button.
    if (!hitButton(event->position().toPoint())) {
        event->ignore();
        return;
    }
    QAbstractButton::mouseMoveEvent(event);
    event->accept();
    emit hovered();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    // Enter presses it as Space does (Space is the base class's), once per
    // key press, not once per repeat of a held key.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

bool PictureButton::hitButton(const QPoint& pos) const {
    return pictureRect().contains(pos);
}

bool PictureButton::event(QEvent* event) {
    // No tooltip over the margin, where the pointer is not over the picture.
    if (event->type() == QEvent::ToolTip && !hitButton(static_cast<QHelpEvent*>(event)->pos())) {
        event->ignore();
        return false;
    }
    return QAbstractButton::event(event);
}

} // namespace curvalia::ui
