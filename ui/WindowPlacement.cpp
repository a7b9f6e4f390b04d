#include "ui/WindowPlacement.h"

#include <QApplication>
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

// Its size as the window manager will frame it: before its first showing a
// window has no frame yet, and will get one like the owner's.
QSize framedSize(const QWidget& window, const QWidget& owner) {
    const QSize decoration = owner.frameGeometry().size() - owner.size();
    return window.frameGeometry().size() == window.size() ? window.size() + decoration
                                                          : window.frameGeometry().size();
}

// A window laid out by its contents takes their size; one given a size
// (resize, setFixedSize) keeps it.
void settleSize(QWidget& window) {
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
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

QPoint besideClearOf(QRect owner, QSize frame, QRect area, const QList<QRect>& taken,
                     Side preferred) {
    auto clear = [&](const QRect& r, bool mayCoverOwner) {
        if (!mayCoverOwner && r.intersects(owner))
            return false;
        for (const QRect& other : taken)
            if (r.intersects(other))
                return false;
        return true;
    };
    // Tops: the owner's, then below each window already open; lefts: the
    // two strips beside the owner, the preferred first.
    QList<int> tops{owner.top()};
    for (const QRect& other : taken)
        tops << other.bottom() + 1 + kGap;
    const int right = owner.right() + 1 + kGap;
    const int left = owner.left() - kGap - frame.width();
    const QList<int> lefts =
        preferred == Side::Right ? QList<int>{right, left} : QList<int>{left, right};
    for (const bool mayCoverOwner : {false, true}) {
        for (const int x : lefts) {
            for (const int y : tops) {
                const QPoint wanted(x, y);
                // First as wanted and wholly on the screen, then pulled onto it.
                const QPoint topLeft = mayCoverOwner ? inside(wanted, frame, area) : wanted;
                const QRect r(topLeft, frame);
                if (area.contains(r) && clear(r, mayCoverOwner))
                    return topLeft;
            }
        }
    }
    return besideOrOver(owner, frame, area);
}

void centreOnPointerScreen(QWidget& window) {
    settleSize(window);
    window.move(centredIn(window.frameGeometry().size(),
                          areaOf(QGuiApplication::screenAt(QCursor::pos()))));
}

void placeBeside(QWidget& window, const QWidget& owner, Side preferred) {
    settleSize(window);
    QList<QRect> taken;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != &window && other != &owner && other->isVisible())
            taken << QRect(other->frameGeometry().topLeft(), framedSize(*other, owner));
    window.move(besideClearOf(owner.frameGeometry(), framedSize(window, owner),
                              areaOf(owner.screen()), taken, preferred));
}

} // namespace curvalia::ui
