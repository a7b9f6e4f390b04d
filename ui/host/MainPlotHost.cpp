#include "ui/host/MainPlotHost.h"

#include "ui/host/QtEventQueue.h"
#include "ui/host/StatusLine.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QLineEdit>

namespace curvalia::ui {

void MainPlotHost::setStatus(std::string_view text) {
    parts_.status.write(StatusOwner::Draw, text);
}

void MainPlotHost::follow(plot::DrawBusy& busy) {
    busy.listen([&status = parts_.status](bool running) {
        if (running)
            status.claimEngine(StatusOwner::Draw);
        else
            status.releaseEngine(StatusOwner::Draw);
    });
}

void MainPlotHost::setInputsEnabled(bool enabled) {
    parts_.setInputsEnabled(enabled);
}

bool MainPlotHost::eventsPending() {
    return parts_.events.eventsPending();
}

void MainPlotHost::yield() {
    parts_.events.yield();
}

void MainPlotHost::repaint() {
    parts_.events.repaint();
}

std::string MainPlotHost::expressionText() {
    return parts_.expression.text().toStdString();
}

plot::RangeTexts MainPlotHost::rangeTexts() {
    return parts_.area.rangeTexts();
}

bool MainPlotHost::drawFunctionChecked() {
    return parts_.drawFunction.isChecked();
}

bool MainPlotHost::drawDerivativeChecked() {
    return parts_.drawDerivative.isChecked();
}

bool MainPlotHost::closeRequested() {
    return parts_.closeRequested();
}

} // namespace curvalia::ui
