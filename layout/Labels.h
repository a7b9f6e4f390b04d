// The one way every window places a label: by its design rectangle, named
// so that tests and the windows' own code can find it.
#pragma once

#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>

#include <algorithm>

namespace curvalia::layout {

// Never narrower than its text: the stand-in font is a little wider than
// the one the layout was drawn with, and there is room to the right of
// every label. A label whose text comes later keeps its rectangle.
inline QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    where.setWidth(std::max(where.width(), label->sizeHint().width()));
    label->setGeometry(where);
    return label;
}

inline QLabel* addLabel(QWidget* parent, const char* name, const char* text, QRect where) {
    return addLabel(parent, name, QString::fromUtf8(text), where);
}

// The same, in its own font (measured in that font).
inline QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                        QRect where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    where.setWidth(std::max(where.width(), label->sizeHint().width()));
    label->setGeometry(where);
    return label;
}

} // namespace curvalia::layout
