#include "ui/MainPlotHost.h"

#include "ui/AreaDialog.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

namespace curvalia::ui {

void MainPlotHost::setStatus(std::string_view text) {
    window_.setStatusText(text);
}

void MainPlotHost::setInputsEnabled(bool enabled) {
    window_.setDrawInputsEnabled(enabled);
}

void MainPlotHost::yield() {
    QCoreApplication::processEvents();
    // A close requested during this yield stops the draw here, so the window
    // does not wait for the whole sweep to end before closing.
    if (window_.closeAfterDraw_)
        window_.drawCommand_->requestStop();
}

std::string MainPlotHost::expressionText() {
    return window_.MyFx->text().toStdString();
}

plot::RangeTexts MainPlotHost::rangeTexts() {
    return window_.area_->rangeTexts();
}

bool MainPlotHost::drawFunctionChecked() {
    return window_.menu_->funzione->isChecked();
}

bool MainPlotHost::drawDerivativeChecked() {
    return window_.menu_->derpri->isChecked();
}

} // namespace curvalia::ui
