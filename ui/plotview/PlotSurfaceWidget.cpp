#include "ui/plotview/PlotSurfaceWidget.h"

#include "plot/Palette.h"
#include "plot/PlotFrame.h"
#include "ui/plotview/PlotOverlay.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace curvalia::ui {

namespace {

int toDevice(int logical, qreal ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

// The ratio as a whole number, or 0 for fractional ratios such as 1.5.
int wholeRatioOf(qreal ratio) {
    const int whole = static_cast<int>(std::lround(ratio));
    return whole >= 1 && ratio == whole ? whole : 0;
}

} // namespace

PlotSurfaceWidget::Look PlotSurfaceWidget::graphLook() {
    // 6675 / 15 = 445: one more pixel keeps the column and row of Xmax and
    // Ymin inside the surface.
    return Look{QSize(446, 310), 1, QColor(0, 0, 0), true};
}

PlotSurfaceWidget::Look PlotSurfaceWidget::progressBarLook(const QColor& background) {
    return Look{QSize(6675 / plot::kTwipsPerPixel, 75 / plot::kTwipsPerPixel), 0, background};
}

PlotSurfaceWidget::PlotSurfaceWidget(const Look& look, QWidget* parent)
    : QWidget(parent), look_(look), mapping_(look.clientPixels), recording_(look.recordPoints) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QSize outer = look_.clientPixels + QSize(2 * look_.borderPixels, 2 * look_.borderPixels);
    setMinimumSize(outer);
    resize(outer);
    recordRight_ = static_cast<float>(mapping_.span().width()) + kRecordMarginTwips;
    recordBottom_ = static_cast<float>(mapping_.span().height()) + kRecordMarginTwips;
    setRatio(devicePixelRatioF());
    image_ = blankImage(ratio_);
    pixels_ = Pixels(image_);
}

void PlotSurfaceWidget::setRatio(qreal ratio) {
    ratio_ = ratio;
    wholeRatio_ = wholeRatioOf(ratio);
}

QImage PlotSurfaceWidget::blankImage(qreal ratio) const {
    QImage image(toDevice(mapping_.pixels().width(), ratio),
                 toDevice(mapping_.pixels().height(), ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(look_.background);
    return image;
}

PlotOverlay* PlotSurfaceWidget::overlay() const {
    return overlay_;
}

void PlotSurfaceWidget::setOverlay(PlotOverlay* overlay) {
    overlay_ = overlay;
}

void PlotSurfaceWidget::setDrawWidth(int pixels) {
    drawWidth_ = std::max(1, pixels);
}

void PlotSurfaceWidget::axesBegin(const plot::AxesCall& call) {
    if (recording_)
        record_.addAxes(call);
    recordingBeforeAxes_ = recording_ && !record_.overflowed();
    recording_ = false;
}

void PlotSurfaceWidget::axesEnd() {
    recording_ = recordingBeforeAxes_;
}

void PlotSurfaceWidget::PSet(float xTwips, float yTwips, int paletteColour) {
    if (keeps(xTwips, yTwips))
        recording_ = record_.addPoint(xTwips, yTwips, paletteColour, drawWidth_);
    // At the design size x / 15 in float, without the division a sweep
    // would pay millions of times: the double product is so close to the
    // exact quotient that it rounds to the same float (checked for every
    // float).
    drawDot(mapping_.pixelX(xTwips), mapping_.pixelY(yTwips), paletteColour);
}

void PlotSurfaceWidget::Line(float x1, float y1, float x2, float y2, int paletteColour) {
    // Kept when any of it lies near the frame, like a point.
    if (recording_ && std::max(x1, x2) >= -kRecordMarginTwips &&
        std::max(y1, y2) >= -kRecordMarginTwips && std::min(x1, x2) <= recordRight_ &&
        std::min(y1, y2) <= recordBottom_)
        recording_ = record_.addLine(x1, y1, x2, y2, paletteColour, drawWidth_);
    const float ax = mapping_.pixelX(x1), ay = mapping_.pixelY(y1);
    const float bx = mapping_.pixelX(x2), by = mapping_.pixelY(y2);
    const double dx = double(bx) - ax, dy = double(by) - ay;
    // Most segments of a sweep span a pixel or less: their two end dots
    // touch (or are one), and drawDot clips them.
    if (std::fabs(dx) <= 1 && std::fabs(dy) <= 1) {
        drawDot(ax, ay, paletteColour);
        if (std::floor(ax) != std::floor(bx) || std::floor(ay) != std::floor(by))
            drawDot(bx, by, paletteColour);
        return;
    }
    // Only the part near the drawing is walked: the pen reaches a few
    // pixels beyond the point it is centred on.
    const double pad = drawWidth_ + 1;
    double t0 = 0, t1 = 1;
    const auto clip = [&](double from, double delta, double low, double high) {
        if (delta == 0)
            return from >= low && from <= high;
        const double ta = (low - from) / delta, tb = (high - from) / delta;
        t0 = std::max(t0, std::min(ta, tb));
        t1 = std::min(t1, std::max(ta, tb));
        return t0 <= t1;
    };
    if (!clip(ax, dx, -pad, mapping_.pixels().width() + pad) ||
        !clip(ay, dy, -pad, mapping_.pixels().height() + pad))
        return;
    // One dot per logical pixel of the longer side: neighbours touch.
    const double length = (t1 - t0) * std::max(std::fabs(dx), std::fabs(dy));
    const int steps = std::max(1, static_cast<int>(std::ceil(length)));
    const double dt = (t1 - t0) / steps;
    for (int i = 0; i <= steps; ++i) {
        const double t = t0 + dt * i;
        drawDot(static_cast<float>(ax + t * dx), static_cast<float>(ay + t * dy), paletteColour);
    }
}

void PlotSurfaceWidget::drawDot(float lx, float ly, int paletteColour) {
    if (drawWidth_ == 1 && wholeRatio_ == 1) {
        // Curve points on an ordinary screen: one pixel, nothing to round.
        // A sweep sets millions of these.
        if (!(lx >= 0 && ly >= 0 && lx < static_cast<float>(pixels_.width) &&
              ly < static_cast<float>(pixels_.height)))
            return;
        const int x = static_cast<int>(lx);
        const int y = static_cast<int>(ly);
        const Dot dot{x, y, 1, paletteColour};
        if (dot == lastDot_ ||
            (dot == dotBefore_ && lastDot_.width == 1 && (lastDot_.left != x || lastDot_.top != y)))
            return;
        remember(dot);
        pixels_.row(y)[x] = colourOf(paletteColour);
        markDirty(x, y, x, y);
        return;
    }
    const std::optional<QPoint> corner = dotCorner(lx, ly, drawWidth_);
    if (!corner)
        return;
    const int logicalLeft = corner->x();
    const int logicalTop = corner->y();
    const Dot dot{logicalLeft, logicalTop, drawWidth_, paletteColour};
    if (dot == lastDot_)
        return;
    remember(dot);
    int left, top, right, bottom;
    if (wholeRatio_ > 0) { // the usual case, kept free of floating point
        left = logicalLeft * wholeRatio_;
        top = logicalTop * wholeRatio_;
        right = left + drawWidth_ * wholeRatio_;
        bottom = top + drawWidth_ * wholeRatio_;
    } else {
        left = toDevice(logicalLeft, ratio_);
        top = toDevice(logicalTop, ratio_);
        right = toDevice(logicalLeft + drawWidth_, ratio_);
        bottom = toDevice(logicalTop + drawWidth_, ratio_);
    }
    left = std::max(0, left);
    top = std::max(0, top);
    right = std::min(pixels_.width, right) - 1;
    bottom = std::min(pixels_.height, bottom) - 1;
    if (left > right || top > bottom)
        return;

    const QRgb colour = colourOf(paletteColour);
    if (left == right && top == bottom) { // one device pixel: writing beats comparing
        pixels_.row(top)[left] = colour;
        markDirty(left, top, right, bottom);
        return;
    }
    for (int y = top; y <= bottom; ++y) {
        QRgb* line = pixels_.row(y);
        std::fill(line + left, line + right + 1, colour);
    }
    markDirty(left, top, right, bottom);
}

void PlotSurfaceWidget::Cls() {
    setRatio(devicePixelRatioF());
    if (image_.devicePixelRatio() != ratio_)
        image_ = blankImage(ratio_);
    else
        image_.fill(look_.background);
    pixels_ = Pixels(image_);
    resetDots();
    record_.clear();
    recording_ = look_.recordPoints;
    markDirty(0, 0, image_.width() - 1, image_.height() - 1);
}

void PlotSurfaceWidget::setBackground(plot::Background background) {
    if (background == background_)
        return;
    background_ = background;
    const plot::Rgb c = plot::backgroundColour(background);
    look_.background = QColor(c.r, c.g, c.b);
    const QImage previous = image_;
    image_ = blankImage(ratio_);
    pixels_ = Pixels(image_);
    redraw(previous);
    update();
}

void PlotSurfaceWidget::resetDots() {
    lastDot_ = dotBefore_ = Dot{};
}

void PlotSurfaceWidget::setDrawingSize(QSize logicalPixels) {
    logicalPixels = logicalPixels.expandedTo(look_.clientPixels);
    if (logicalPixels == mapping_.pixels())
        return;
    mapping_ = mapping_.resized(logicalPixels);
    const QImage previous = image_;
    image_ = blankImage(ratio_);
    pixels_ = Pixels(image_);
    redraw(previous);
    update();
}

void PlotSurfaceWidget::redraw(const QImage& previous) {
    resetDots();
    markDirty(0, 0, image_.width() - 1, image_.height() - 1);
    if (!look_.recordPoints || record_.overflowed()) {
        // Nothing to draw from: the old picture, stretched.
        QPainter painter(&image_);
        painter.drawImage(QRect(QPoint(0, 0), mapping_.pixels()), previous);
        return;
    }
    // Drawn exactly as the first time, in the same order, without recording
    // it again; the pen width is the caller's afterwards.
    const bool wasRecording = recording_;
    const int width = drawWidth_;
    recording_ = false;
    record_.replay(*this);
    recording_ = wasRecording;
    drawWidth_ = width;
    resetDots();
}

void PlotSurfaceWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int b = look_.borderPixels;
    setDrawingSize(size() - QSize(2 * b, 2 * b));
}

void PlotSurfaceWidget::markDirty(int left, int top, int right, int bottom) {
    if (dirtyRight_ < dirtyLeft_) {
        dirtyLeft_ = left;
        dirtyTop_ = top;
        dirtyRight_ = right;
        dirtyBottom_ = bottom;
    } else {
        dirtyLeft_ = std::min(dirtyLeft_, left);
        dirtyTop_ = std::min(dirtyTop_, top);
        dirtyRight_ = std::max(dirtyRight_, right);
        dirtyBottom_ = std::max(dirtyBottom_, bottom);
    }
}

void PlotSurfaceWidget::flush() {
    if (dirtyRight_ < dirtyLeft_)
        return;
    // Device pixels back to logical ones, rounded outwards.
    const qreal r = image_.devicePixelRatio();
    const int left = static_cast<int>(std::floor(dirtyLeft_ / r));
    const int top = static_cast<int>(std::floor(dirtyTop_ / r));
    const int right = static_cast<int>(std::ceil((dirtyRight_ + 1) / r));
    const int bottom = static_cast<int>(std::ceil((dirtyBottom_ + 1) / r));
    dirtyRight_ = dirtyLeft_ - 1;
    const int b = look_.borderPixels;
    update(QRect(left + b, top + b, right - left, bottom - top));
}

void PlotSurfaceWidget::adoptDevicePixelRatio() {
    // Moved to a screen with another ratio: keep the drawing, scaled, and
    // draw sharp from now on.
    const qreal ratio = devicePixelRatioF();
    if (ratio == image_.devicePixelRatio())
        return;
    setRatio(ratio);
    const QImage previous = image_;
    image_ = blankImage(ratio);
    pixels_ = Pixels(image_);
    redraw(previous);
}

void PlotSurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void PlotSurfaceWidget::paintEvent(QPaintEvent* event) {
    adoptDevicePixelRatio();
    QPainter painter(this);
    const int b = look_.borderPixels;
    if (b > 0 && hasFocus()) {
        // The frame in the highlight colour tells that the plot has the
        // keyboard focus (Ctrl+C copies it); the drawing stays as it is.
        qDrawPlainRect(&painter, rect(), palette().color(QPalette::Highlight), b);
    } else if (b > 0) {
        qDrawShadePanel(&painter, rect(), palette(), true, b);
    }
    const QRect client(QPoint(b, b), size() - QSize(2 * b, 2 * b));
    const QRect imageArea(QPoint(b, b), mapping_.pixels());
    const QRect target = event->rect() & client & imageArea;
    if (!target.isEmpty())
        painter.drawImage(
            target, image_,
            QRectF(target.translated(-b, -b).topLeft() * ratio_, QSizeF(target.size()) * ratio_));
    // A widget laid out larger than its drawing shows background there.
    const QRegion outside = QRegion(event->rect() & client) - imageArea;
    for (const QRect& r : outside)
        painter.fillRect(r, look_.background);
}

} // namespace curvalia::ui
