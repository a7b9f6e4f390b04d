#include "ui/host/MainPlotHost.h"

#include "ui/host/QtEventQueue.h"
#include "ui/host/StatusLine.h"
#include "ui/windows/AreaDialog.h"

#include <QAction>
#include <QLineEdit>

namespace curvalia::ui {

void MainPlotHost::setStatus(std::string_view text) {
    // Every draw starts with a text of its own (and a stop empties the
    // line through here), so from then on the engine speaks for the draw.
    parts_.status.speakFor(StatusOwner::Draw);
    parts_.status.write(text);
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
