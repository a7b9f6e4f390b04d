#include "ui/windows/WindowPlacement.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <optional>

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
// window has no frame yet, and will get one like the owner's, with room for
// the grip some window managers add under a window that can be resized.
QSize framedSize(const QWidget& window, const QWidget& owner) {
    constexpr int kResizeGrip = 6;
    if (window.frameGeometry().size() != window.size())
        return window.frameGeometry().size();
    const QSize decoration = owner.frameGeometry().size() - owner.size();
    const bool resizable = window.minimumSize() != window.maximumSize();
    return window.size() + decoration + QSize(0, resizable ? kResizeGrip : 0);
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
    auto clearOfOthers = [&](const QRect& r) {
        for (const QRect& other : taken)
            if (r.intersects(other))
                return false;
        return true;
    };
    // The strips beside the owner, the preferred side first, each at the
    // owner's top or below a window already open; then below and above it.
    QList<int> tops{owner.top()};
    for (const QRect& other : taken)
        tops << other.bottom() + 1 + kGap;
    const int right = owner.right() + 1 + kGap;
    const int left = owner.left() - kGap - frame.width();
    QList<QPoint> wanted;
    for (const int x : preferred == Side::Right ? QList<int>{right, left} : QList<int>{left, right})
        for (const int y : tops)
            wanted << QPoint(x, y);
    wanted << QPoint(owner.left(), owner.bottom() + 1 + kGap)
           << QPoint(owner.left(), owner.top() - kGap - frame.height());

    for (const QPoint& topLeft : wanted) {
        const QRect r(topLeft, frame);
        if (area.contains(r) && !r.intersects(owner) && clearOfOthers(r))
            return topLeft;
    }
    // No room: pulled onto the screen, clear of the others, covering as
    // little of the owner as can be.
    std::optional<QPoint> best;
    qint64 bestCover = 0;
    for (const QPoint& topLeft : wanted) {
        const QRect r(inside(topLeft, frame, area), frame);
        if (!area.contains(r) || !clearOfOthers(r))
            continue;
        const QRect covered = r.intersected(owner);
        const qint64 cover = qint64(covered.width()) * covered.height();
        if (!best || cover < bestCover) {
            best = r.topLeft();
            bestCover = cover;
        }
    }
    return best ? *best : besideOrOver(owner, frame, area);
}

QList<QPoint> clearAfterGrowing(QRect owner, QRect grown, const QList<QRect>& others, QRect area) {
    grown.moveTopLeft(inside(grown.topLeft(), grown.size(), area));
    QList<QRect> now = others;
    for (qsizetype i = 0; i < now.size(); ++i) {
        if (!now[i].intersects(grown))
            continue;
        QList<QRect> taken{grown};
        for (qsizetype j = 0; j < now.size(); ++j)
            if (j != i)
                taken << now[j];
        now[i].moveTopLeft(besideClearOf(owner, now[i].size(), area, taken, Side::Right));
    }
    QList<QPoint> out{grown.topLeft()};
    for (const QRect& r : now)
        out << r.topLeft();
    return out;
}

namespace {

// Watches one window's size; see keepClearWhenGrowing.
class GrowthWatcher : public QObject {
  public:
    GrowthWatcher(QWidget& window, const QWidget& owner) : QObject(&window), owner_(&owner) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Resize && window && owner_ && window->isVisible() &&
            static_cast<QResizeEvent*>(event)->size().height() >
                static_cast<QResizeEvent*>(event)->oldSize().height())
            // Once the window manager has framed the new size.
            QTimer::singleShot(50, this, [this, guard = QPointer<QWidget>(window)] {
                if (guard && guard->isVisible() && owner_)
                    moveClear(*guard);
            });
        return QObject::eventFilter(watched, event);
    }

  private:
    void moveClear(QWidget& window) {
        QList<QWidget*> others;
        QList<QRect> rects;
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other != &window && other != owner_ && other->isVisible()) {
                others << other;
                rects << other->frameGeometry();
            }
        const QRect grown(window.frameGeometry().topLeft(), framedSize(window, *owner_));
        const QList<QPoint> places =
            clearAfterGrowing(owner_->frameGeometry(), grown, rects, areaOf(owner_->screen()));
        if (places[0] != grown.topLeft())
            window.move(places[0]);
        for (qsizetype i = 0; i < others.size(); ++i)
            if (places[i + 1] != rects[i].topLeft())
                others[i]->move(places[i + 1]);
    }

    QPointer<const QWidget> owner_;
};

} // namespace

void keepClearWhenGrowing(QWidget& window, const QWidget& owner) {
    new GrowthWatcher(window, owner);
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
