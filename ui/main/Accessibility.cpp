#include "ui/main/Accessibility.h"

#include "ui/main/MenuEntryAccessible.h"
#include "ui/plotview/ProgressMeter.h"
#include "ui/windows/FieldAccessible.h"

#include <QAccessible>

namespace curvalia::ui {

void installAccessibility() {
    // Twice would ask each factory twice for every object; tests call it per case.
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&FieldAccessible::create);
    QAccessible::installFactory(&MenuEntryAccessible::create);
    QAccessible::installFactory(&ProgressMeter::accessible);
}

} // namespace curvalia::ui
