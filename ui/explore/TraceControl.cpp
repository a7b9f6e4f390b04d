#include "ui/explore/TraceControl.h"

#include "calc/ValueCalculator.h"
#include "plot/TangentLine.h"
#include "ui/explore/CoordinateLabel.h"
#include "ui/plotview/PlotInputRouter.h"
#include "ui/plotview/PlotOverlay.h"
#include "ui/plotview/PlotSurfaceWidget.h"

#include <QAction>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QToolTip>

#include <cmath>

namespace curvalia::ui {

namespace {

constexpr int kFastTraceSamples = 10; // Shift with Left or Right

} // namespace

TraceControl::TraceControl(Parts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)), tracer_(parts_.engine, parts_.draw) {
    setObjectName(QStringLiteral("traceControl"));
    PlotInputRouter::of(parts_.plot)
        .add(PlotInputRouter::Stage::Trace, [self = QPointer<TraceControl>(this)](QEvent& event) {
            return self && self->plotEvent(event);
        });
    for (QWidget* legend : parts_.legend)
        legend->installEventFilter(this);
    connect(&parts_.traceEntry, &QAction::toggled, this, &TraceControl::traceSwitched);
    const MarksSource source = [this] { return marks(); };
    parts_.overlay.addLayer(std::make_unique<TangentLayer>(source));
    parts_.overlay.addLayer(std::make_unique<TraceCrossLayer>(source));
}

void TraceControl::marksChanged() {
    parts_.overlay.layersChanged();
    shownCross_ = marks().cross;
}

ExplorerMarks TraceControl::marks() const {
    ExplorerMarks marks;
    if (busy())
        return marks;
    if (tangent_ && tangent_->draw == parts_.draw.drawNumber() && parts_.draw.publishedFrame())
        marks.tangent = tangent_->segment;
    if (parts_.traceEntry.isChecked())
        if (const CurveTracer::Point* point = tracer_.current())
            marks.cross = point->cross;
    return marks;
}

void TraceControl::calculated(const calc::ValueWindow::Calculation& calculation) {
    tangent_.reset();
    const auto& frame = parts_.draw.publishedFrame();
    const auto& sweep = parts_.draw.lastSweep();
    const calc::CalcFields& fields = calculation.fields;
    // Only on the frame of a finished draw: a frame still being drawn may
    // yet be cleared and replaced by another range.
    if (!busy() && frame && sweep && sweep->expression == calculation.expression && fields.value &&
        fields.slope) {
        // The slope the calculator shows, so that the line's angle on the
        // screen is "Angolo" when both scales are equal.
        const double slope = calc::floorToDecimals(*fields.slope, 5);
        if (const auto segment =
                plot::tangentAcrossFrame(*frame, calculation.x, *fields.value, slope))
            tangent_ = Tangent{parts_.draw.drawNumber(), *segment};
    }
    marksChanged();
}

void TraceControl::drawn() {
    if (!tracer_.current())
        parts_.label.releaseText();
    marksChanged();
}

bool TraceControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && marks().tangent) {
        for (QWidget* legend : parts_.legend) {
            if (watched != legend)
                continue;
            QToolTip::showText(
                static_cast<QHelpEvent*>(event)->globalPos(),
                legend->toolTip() + QLatin1Char('\n') + QString::fromUtf8(kTangentTip), legend);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool TraceControl::plotEvent(QEvent& event) {
    // The kind of event first: the plot sees a few more while the window
    // takes itself apart, after the menu's entries have gone.
    const QEvent::Type type = event.type();
    if ((type != QEvent::MouseMove && type != QEvent::MouseButtonDblClick &&
         type != QEvent::KeyPress) ||
        !parts_.traceEntry.isChecked())
        return false;
    if (type == QEvent::KeyPress)
        return traceKey(static_cast<QKeyEvent&>(event));
    const QPointF at = static_cast<QMouseEvent&>(event).position();
    if (type == QEvent::MouseMove) {
        traceAt(at);
        return false; // the drag and the read-out see the move too
    }
    if (busy())
        return false;
    traceAt(at);
    handToCalculator();
    return true;
}

bool TraceControl::traceKey(QKeyEvent& event) {
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    const CurveTracer::Point* point = nullptr;
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (busy())
            return true;
        if (event.modifiers() & Qt::ControlModifier) {
            point = studyStep(event.key() == Qt::Key_Left ? -1 : 1);
            if (!point)
                return true; // no point that way: the trace stays
            break;
        }
        point = tracer_.moveBy((event.key() == Qt::Key_Left ? -1 : 1) *
                               (shift ? kFastTraceSamples : 1));
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        point = busy() ? nullptr : tracer_.otherCurve(event.key() == Qt::Key_PageUp ? -1 : 1);
        break;
    case Qt::Key_Home:
        point = busy() ? nullptr : tracer_.first();
        break;
    case Qt::Key_End:
        point = busy() ? nullptr : tracer_.last();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!busy())
            handToCalculator();
        return true;
    default:
        return false;
    }
    showTrace(point);
    if (point)
        emit traced(point->spoken, false);
    return true;
}

const CurveTracer::Point* TraceControl::studyStep(int direction) {
    const analysis::Study* study = parts_.study ? parts_.study() : nullptr;
    if (!study || study->refusal)
        return nullptr;
    const CurveTracer::Point* now = tracer_.current();
    const double from = now ? now->x
                        : parts_.draw.publishedFrame()
                            ? parts_.draw.publishedFrame()->xAt(plot::PlotWidth / 2)
                            : 0;
    const analysis::StudyPoint* next = nullptr;
    for (const analysis::StudyPoint& p : study->points) {
        if (!std::isfinite(p.y))
            continue; // an asymptote has no point on the curve
        const bool ahead = direction > 0 ? p.x > from : p.x < from;
        if (ahead && (!next || (direction > 0 ? p.x < next->x : p.x > next->x)))
            next = &p;
    }
    if (!next)
        return nullptr;
    // One stop per place: a zero that is also a flex (sin(x) at pi) is
    // named as both.
    QStringList kinds;
    for (const analysis::StudyPoint& p : study->points)
        if (p.x == next->x && std::isfinite(p.y))
            kinds << QString::fromStdString(analysis::kindName(p));
    return tracer_.studyPoint(study->expression, next->x, next->y,
                              kinds.join(QStringLiteral(", ")));
}

void TraceControl::traceAt(QPointF widgetPosition) {
    if (busy())
        return;
    const CurveTracer::Point* point = tracer_.at(parts_.plot.twipsAt(widgetPosition).x());
    showTrace(point);
    if (point)
        emit traced(point->spoken, true);
}

void TraceControl::showTrace(const CurveTracer::Point* point) {
    if (point)
        parts_.label.holdText(point->readOut);
    else
        parts_.label.releaseText();
    // A cross that only moves repaints where it was and where it is, not
    // the whole overlay: the pointer moves it many times a second.
    const std::optional<QPointF> cross = marks().cross;
    if (!cross || !shownCross_) {
        marksChanged();
        return;
    }
    const PlotMapping& mapping = parts_.plot.mapping();
    parts_.overlay.update(crossBounds(mapping, *shownCross_) | crossBounds(mapping, *cross));
    shownCross_ = cross;
}

void TraceControl::traceSwitched(bool on) {
    if (!on)
        parts_.label.releaseText();
    marksChanged();
}

void TraceControl::handToCalculator() {
    if (const CurveTracer::Point* point = tracer_.current()) {
        const QString x = point->xText;
        if (parts_.showExpression)
            parts_.showExpression(tracer_.expression());
        parts_.calculateAt(x);
    }
}

} // namespace curvalia::ui
