#include "ui/plotview/PlotInputRouter.h"

#include <QEvent>
#include <QWidget>

namespace curvalia::ui {

PlotInputRouter::PlotInputRouter(QWidget& plot) : QObject(&plot), plot_(plot) {
    setObjectName(QStringLiteral("plotInputRouter"));
    plot_.installEventFilter(this);
}

PlotInputRouter& PlotInputRouter::of(QWidget& plot) {
    if (auto* router = plot.findChild<PlotInputRouter*>(QString(), Qt::FindDirectChildrenOnly))
        return *router;
    return *new PlotInputRouter(plot);
}

void PlotInputRouter::add(Stage stage, Handler handler) {
    stages_[static_cast<std::size_t>(stage)].push_back(std::move(handler));
}

bool PlotInputRouter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &plot_) {
        for (const std::vector<Handler>& stage : stages_)
            for (const Handler& handler : stage)
                if (handler(*event))
                    return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace curvalia::ui
