#include "ui/WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace curvalia::ui {

namespace {

constexpr int kGap = 8; // between the owner's frame and the new window's

// A window larger than the area keeps its top-left corner (its title bar
// and close box) on the screen.
QPoint inside(QPoint topLeft, QSize frame, QRect area) {
    const int x = std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - frame.height()));
    return {x, y};
}

QRect areaOf(const QScreen* screen) {
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QPoint centredIn(QSize frame, QRect area) {
    const QPoint topLeft(area.left() + (area.width() - frame.width()) / 2,
                         area.top() + (area.height() - frame.height()) / 2);
    return inside(topLeft, frame, area);
}

QPoint besideOrOver(QRect owner, QSize frame, QRect area) {
    const int right = owner.right() + 1 + kGap;
    const int left = owner.left() - kGap - frame.width();
    QPoint topLeft;
    if (right + frame.width() <= area.right() + 1)
        topLeft = {right, owner.top()};
    else if (left >= area.left())
        topLeft = {left, owner.top()};
    else
        topLeft = {owner.left() + (owner.width() - frame.width()) / 2,
                   owner.top() + (owner.height() - frame.height()) / 2};
    return inside(topLeft, frame, area);
}

void centreOnPointerScreen(QWidget& window) {
    window.adjustSize();
    window.move(centredIn(window.frameGeometry().size(),
                          areaOf(QGuiApplication::screenAt(QCursor::pos()))));
}

void placeBeside(QWidget& window, const QWidget& owner) {
    // Before its first showing a window has no frame yet; it will get one
    // like the owner's.
    window.adjustSize();
    const QSize decoration = owner.frameGeometry().size() - owner.size();
    const QSize frame = window.frameGeometry().size() == window.size()
                            ? window.size() + decoration
                            : window.frameGeometry().size();
    window.move(besideOrOver(owner.frameGeometry(), frame, areaOf(owner.screen())));
}

} // namespace curvalia::ui
