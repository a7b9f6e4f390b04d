// Where the windows open: the main window in the middle of the screen the
// user is working on (the one under the pointer), the others next to it or
// over it, and never one with a part off the screen.
#pragma once

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

// Centres window on the available area of the screen under the pointer.
void centreOnPointerScreen(QWidget& window);

// Places window, not yet shown, beside or over owner on owner's screen.
void placeBeside(QWidget& window, const QWidget& owner);

} // namespace curvalia::ui
