#include "ui/host/ScreenReaderRoute.h"

#include <QAccessible>
#include <QWidget>

namespace curvalia::ui {

namespace {

// Until a route the screen reader presents is in place: listening is the
// bridge's state, and nothing is spoken.
class SilentRoute final : public platform::ScreenReader {
  public:
    bool listening() const override { return QAccessible::isActive(); }
    void speak(const QString&) override {}
};

} // namespace

std::unique_ptr<platform::ScreenReader> makeScreenReader(QWidget&) {
    return std::make_unique<SilentRoute>();
}

} // namespace curvalia::ui
