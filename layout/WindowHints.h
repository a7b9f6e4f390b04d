// Window-manager hints for windows whose controls were placed for one size:
// a maximize button or a resize handle would offer what they cannot do. The
// close box stays. Shared by every window, the value calculator's included.
#pragma once

#include <QWidget>

namespace curvalia::layout {

// A fixed-size dialog: title bar and close box only.
inline void setFixedDialogHints(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

// The main window, whose controls follow its size: it can be minimised,
// maximized and resized (no smaller than its design size).
inline void setMainWindowHints(QWidget& window) {
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
}

} // namespace curvalia::layout
