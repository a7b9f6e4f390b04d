// Where the windows open: the main window in the middle of the screen the
// user is working on (the one under the pointer), the others next to it,
// clear of it and of each other where the screen has room, else over the
// main window rather than over each other, and never one with a part off
// the screen.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace curvalia::ui {

// Top-left of a window of the given outer size centred in area.
QPoint centredIn(QSize frame, QRect area);

// Top-left of a window of the given outer size opened from owner (its outer
// rectangle): to its right, else to its left, else centred over it; moved
// inside area wherever that needs.
QPoint besideOrOver(QRect owner, QSize frame, QRect area);

// The side of the main window a window tries first.
enum class Side { Right, Left };

// Top-left of a window of the given outer size opened from owner, clear of
// owner and of the windows already open (taken, outer rectangles): beside
// owner on the preferred side at its top, or below a window already there,
// then the same on the other side, then below or above owner. Failing
// that, pulled onto the screen clear of the others, covering as little of
// owner as can be; failing that too, besideOrOver.
QPoint besideClearOf(QRect owner, QSize frame, QRect area, const QList<QRect>& taken,
                     Side preferred);

// After a window grew to the outer rectangle grown (a note shown under its
// fields), where it and the others go: grown pulled wholly onto the screen,
// and each other window it now covers moved clear of it and of the rest
// where the screen has room (see besideClearOf); the others stay. The
// answer holds grown's top-left, then one top-left for each of others.
QList<QPoint> clearAfterGrowing(QRect owner, QRect grown, const QList<QRect>& others, QRect area);

// From now on, whenever window grows while shown, it and the program's
// other open windows are moved as clearAfterGrowing says (owner stays).
void keepClearWhenGrowing(QWidget& window, const QWidget& owner);

// Centres window on the available area of the screen under the pointer.
void centreOnPointerScreen(QWidget& window);

// Places window, not yet shown, beside owner on owner's screen, clear of
// the program's other open windows (see besideClearOf). A window that has
// been given a size keeps it.
void placeBeside(QWidget& window, const QWidget& owner, Side preferred = Side::Right);

} // namespace curvalia::ui
