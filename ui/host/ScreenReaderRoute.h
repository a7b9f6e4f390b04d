// The route by which the program's own announcements reach a screen reader
// on this desktop (see ScreenReaderRoute.cpp for why it takes this way).
#pragma once

#include "platform/ScreenReader.h"

#include <memory>

class QWidget;

namespace curvalia::ui {

// The window the announcements belong to: the screen reader presents them
// as coming from it.
std::unique_ptr<platform::ScreenReader> makeScreenReader(QWidget& window);

} // namespace curvalia::ui
