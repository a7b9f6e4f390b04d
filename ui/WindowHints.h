// Window-manager hints. Windows whose controls were placed for one size get
// neither a maximize button nor a resize handle, which would offer what they
// cannot do; the close box stays. Header-only, since the value calculator's window (built
// before this folder's library) uses it too.
#pragma once

#include <QWidget>

namespace curvalia::ui {

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

} // namespace curvalia::ui
