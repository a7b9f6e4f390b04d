// Window-manager hints for windows whose controls were placed for one size:
// a maximize button or a resize handle would offer what they cannot do. The
// close box stays. Header-only, since the value calculator's window (built
// before this folder's library) uses it too.
#pragma once

#include <QWidget>

namespace curvalia::ui {

// A fixed-size dialog: title bar and close box only.
inline void setFixedDialogHints(QWidget& window) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

// The main window: the same, and it can still be minimised out of the way.
inline void setFixedMainWindowHints(QWidget& window) {
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
}

} // namespace curvalia::ui
