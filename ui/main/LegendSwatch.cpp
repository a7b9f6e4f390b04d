#include "ui/main/LegendSwatch.h"

#include <QPainter>

namespace curvalia::ui {

LegendSwatch::LegendSwatch(QColor fillColor, int fillStyle, QWidget* parent)
    : QWidget(parent), fillColor_(fillColor), fillStyle_(fillStyle) {}

void LegendSwatch::setFillColor(QColor color) {
    fillColor_ = color;
    update();
}

void LegendSwatch::setFillStyle(int style) {
    fillStyle_ = style;
    update();
}

void LegendSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (fillStyle_ == kSolid)
        painter.fillRect(rect(), fillColor_);
    // A one-pixel outline, drawn inside the widget (hence the -1).
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace curvalia::ui
