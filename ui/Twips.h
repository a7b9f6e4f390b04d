// The windows were laid out in twips (1/1440 inch); at the usual screen
// resolution 15 twips make one logical pixel. Layout code keeps the design
// numbers and converts them here, so every window rounds the same way.
#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>
#include <QStringList>

#include <algorithm>

namespace curvalia::ui {

inline constexpr int kTwipsPerPixel = 15;

// Nearest logical pixel.
constexpr int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
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

// A label placed by its design rectangle, never narrower than its text: the
// stand-in font is a little wider than the one the layout was drawn with, and
// there is room to the right of every label.
inline QLabel* addLabel(QWidget* parent, const char* name, const char* text, QRect where) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    where.setWidth(std::max(where.width(), label->sizeHint().width()));
    label->setGeometry(where);
    return label;
}

} // namespace curvalia::ui
