// The program's own answers to screen readers where Qt 6.4's fall short:
// the fields, the menu entries that can be checked, the progress bar. Called
// once, after the QApplication exists and before any window is shown.
#pragma once

namespace curvalia::ui {

void installAccessibility();

} // namespace curvalia::ui
