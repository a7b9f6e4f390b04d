#include "ui/explore/CoordinateLabel.h"

#include "layout/NumberWriter.h"
#include "layout/Twips.h"
#include "ui/plotview/PlotInputRouter.h"
#include "ui/plotview/PlotSurfaceWidget.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace curvalia::ui {

CoordinateLabel::CoordinateLabel(PlotSurfaceWidget& plot, FrameSource frame, QWidget* parent,
                                 int rightEdge, int top)
    : QLabel(parent), plot_(plot), frame_(std::move(frame)), rightEdge_(rightEdge) {
    setObjectName(QStringLiteral("Coordinate"));
    setFont(layout::arialFont(8.25));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Opaque, so that it reads cleanly where a long status text runs under it.
    setAutoFillBackground(true);
    move(rightEdge_, top);
    resize(0, layout::px(195));
    hide();
    noteTimer_.setSingleShot(true);
    connect(&noteTimer_, &QTimer::timeout, this, [this] { showText(held_.value_or(QString())); });
    PlotInputRouter::of(plot_).add(PlotInputRouter::Stage::ReadOut,
                                   [self = QPointer<CoordinateLabel>(this)](QEvent& event) {
                                       if (self)
                                           self->plotEvent(event);
                                       return false;
                                   });
}

int CoordinateLabel::decimalsFor(double unitsPerPixel) {
    if (!(unitsPerPixel > 0) || !std::isfinite(unitsPerPixel))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(unitsPerPixel))), 0, 12);
}

bool CoordinateLabel::overFrame(QPointF drawingPosition, const PlotMapping& mapping) {
    const QPointF twips = mapping.toTwips(drawingPosition);
    return twips.x() >= 0 && twips.y() >= 0 && twips.x() <= mapping.span().width() &&
           twips.y() <= mapping.span().height();
}

QString CoordinateLabel::readOut(const plot::PlotFrame& frame, QPointF drawingPosition,
                                 const QLocale& locale, const PlotMapping& mapping) {
    // The last pixel's centre lies half a pixel past the frame's edge, where
    // x would read past Xmax.
    const QPointF centre = mapping.toTwips(
        QPointF(std::floor(drawingPosition.x()) + 0.5, std::floor(drawingPosition.y()) + 0.5));
    const double column = std::clamp(centre.x(), 0.0, mapping.span().width());
    const double row = std::clamp(centre.y(), 0.0, mapping.span().height());
    const int xDecimals = decimalsFor(frame.RangeX * mapping.twipsPerPixelX() / plot::PlotWidth);
    const int yDecimals = decimalsFor(frame.RangeY * mapping.twipsPerPixelY() / plot::PlotHeight);
    using layout::Digits;
    return QStringLiteral("x = %1   y = %2")
        .arg(layout::interfaceNumber(frame.xAt(column), Digits::decimals(xDecimals), locale),
             layout::interfaceNumber(frame.valueAt(row), Digits::decimals(yDecimals), locale));
}

void CoordinateLabel::setRightEdge(int rightEdge) {
    rightEdge_ = rightEdge;
    if (!text().isEmpty())
        setGeometry(rightEdge_ - width(), y(), width(), height());
}

void CoordinateLabel::showNote(const QString& text) {
    showText(text);
    noteTimer_.start(kNoteMilliseconds);
    emit noteShown(text);
}

int CoordinateLabel::advance(QChar c) {
    const char16_t code = c.unicode();
    if (code >= advances_.size())
        return fontMetrics().horizontalAdvance(c);
    if (advances_[code] < 0)
        advances_[code] = fontMetrics().horizontalAdvance(c);
    return advances_[code];
}

void CoordinateLabel::holdText(const QString& text) {
    held_ = text;
    if (noteTimer_.isActive())
        return;
    // Sent on every move of a trace: the width comes from the advances of
    // single characters, which the font keeps, rather than from shaping the
    // whole text each time; a few pixels spare cover kerning.
    setText(text);
    int width = 8;
    for (const QChar c : text)
        width += advance(c);
    // Only ever wider while a text is held: the label does not jitter as
    // the numbers change, nor move at every step.
    if (width > this->width() || isHidden())
        setGeometry(rightEdge_ - width, y(), width, height());
    if (isHidden()) {
        show();
        raise();
    }
}

void CoordinateLabel::releaseText() {
    if (!held_)
        return;
    held_.reset();
    if (!noteTimer_.isActive())
        showText(QString());
}

void CoordinateLabel::showText(const QString& text) {
    setText(text);
    if (text.isEmpty()) {
        hide();
        return;
    }
    const int width = fontMetrics().horizontalAdvance(text) + 4;
    setGeometry(rightEdge_ - width, y(), width, height());
    show();
    raise();
}

void CoordinateLabel::pointerAt(QPointF widgetPosition) {
    if (noteTimer_.isActive() || held_)
        return; // a note or a held text has the label for now
    const std::optional<plot::PlotFrame> frame = frame_();
    const int border = plot_.look().borderPixels;
    const QPointF onDrawing = widgetPosition - QPointF(border, border);
    const bool inside = overFrame(onDrawing, plot_.mapping());
    showText(frame && inside ? readOut(*frame, onDrawing, QLocale(), plot_.mapping()) : QString());
}

void CoordinateLabel::plotEvent(QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseMove:
        pointerAt(static_cast<QMouseEvent&>(event).position());
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (!noteTimer_.isActive() && !held_)
            showText(QString());
        break;
    default:
        break;
    }
}

} // namespace curvalia::ui
