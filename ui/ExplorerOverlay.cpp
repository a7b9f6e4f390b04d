#include "ui/ExplorerOverlay.h"

#include "ui/ExplorerMarks.h"
#include "ui/PlotExplorer.h"
#include "ui/PlotMapping.h"
#include "ui/PlotSurfaceWidget.h"

#include <QEvent>
#include <QPainter>

namespace curvalia::ui {

ExplorerOverlay::ExplorerOverlay(PlotSurfaceWidget& plot, const PlotExplorer& explorer)
    : QWidget(&plot), plot_(plot), explorer_(explorer) {
    setObjectName(QStringLiteral("explorerOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(plot.rect());
    plot.installEventFilter(this);
    connect(&explorer, &PlotExplorer::marksChanged, this, qOverload<>(&QWidget::update));
}

bool ExplorerOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &plot_ && event->type() == QEvent::Resize)
        setGeometry(plot_.rect());
    return QWidget::eventFilter(watched, event);
}

void ExplorerOverlay::paintEvent(QPaintEvent*) {
    const ExplorerMarks marks = explorer_.marks();
    if (!marks.tangent && !marks.cross)
        return;
    QPainter painter(this);
    // Inside the drawing, not over the plot's sunken border.
    const int border = plot_.look().borderPixels;
    painter.setClipRect(QRect(QPoint(border, border), plot_.look().clientPixels));
    const TwipsToPixels map = [this](QPointF twips) { return pixelCentreOf(plot_, twips); };
    if (marks.tangent)
        paintTangent(painter, *marks.tangent, map);
    if (marks.cross)
        paintCross(painter, *marks.cross, map);
}

} // namespace curvalia::ui
