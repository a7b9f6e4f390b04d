#include "ui/host/QtEventQueue.h"

#include "ui/plotview/PlotSurfaceWidget.h"

#include <QCoreApplication>

namespace curvalia::ui {

QtEventQueue::QtEventQueue(std::initializer_list<PlotSurfaceWidget*> surfaces)
    : surfaces_(surfaces), lastLook_(std::chrono::steady_clock::now()) {}

bool QtEventQueue::eventsPending() {
    return repaintWaiting_ || std::chrono::steady_clock::now() - lastLook_ >= kLookInterval;
}

void QtEventQueue::yield() {
    QCoreApplication::processEvents();
    repaintWaiting_ = false;
    lastLook_ = std::chrono::steady_clock::now();
}

void QtEventQueue::repaint() {
    for (PlotSurfaceWidget* surface : surfaces_)
        surface->flush();
    repaintWaiting_ = true;
}

} // namespace curvalia::ui
