#include "ui/explore/PlotExplorer.h"

#include "ui/explore/CoordinateLabel.h"
#include "ui/plotview/PlotInputRouter.h"
#include "ui/plotview/PlotSurfaceWidget.h"
#include "ui/windows/AreaDialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace curvalia::ui {

namespace {

constexpr int kEighthsPerNotch = 120; // one notch of an ordinary wheel
constexpr double kKeyPanShare = 0.1;  // an arrow key moves by a tenth of the range

bool sameTexts(const plot::RangeTexts& a, const plot::RangeTexts& b) {
    return a.xmin == b.xmin && a.xmax == b.xmax && a.ymin == b.ymin && a.ymax == b.ymax &&
           a.step == b.step;
}

bool sameRange(const plot::PlotRange& a, const plot::PlotRange& b) {
    return a.Xmin == b.Xmin && a.Xmax == b.Xmax && a.Ymin == b.Ymin && a.Ymax == b.Ymax &&
           a.Step == b.Step;
}

double keyPan(double width) {
    return std::max(1.0, std::round(width * kKeyPanShare));
}

} // namespace

PlotExplorer::PlotExplorer(Parts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)) {
    setObjectName(QStringLiteral("plotExplorer"));
    PlotInputRouter::of(parts_.plot)
        .add(PlotInputRouter::Stage::Explore, [self = QPointer<PlotExplorer>(this)](QEvent& event) {
            return self && self->plotEvent(event);
        });
    // Keys reach the plot once it has the focus: a click gives it.
    if (parts_.plot.focusPolicy() == Qt::NoFocus)
        parts_.plot.setFocusPolicy(Qt::ClickFocus);
}

bool PlotExplorer::plotEvent(QEvent& event) {
    switch (event.type()) {
    case QEvent::Wheel:
        return wheel(static_cast<QWheelEvent&>(event));
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent&>(event));
        return false;
    case QEvent::MouseMove:
        drag(static_cast<QMouseEvent&>(event));
        return false;
    case QEvent::MouseButtonRelease:
        drag_.reset();
        return false;
    case QEvent::KeyPress:
        return key(static_cast<QKeyEvent&>(event));
    default:
        return false;
    }
}

bool PlotExplorer::wheel(QWheelEvent& event) {
    // Notches that arrive while a draw runs are dropped, not kept for later.
    if (busy()) {
        wheelRemainder_ = 0;
        return true;
    }
    wheelRemainder_ += event.angleDelta().y();
    const int notches = wheelRemainder_ / kEighthsPerNotch;
    wheelRemainder_ %= kEighthsPerNotch;
    if (notches != 0)
        zoomBy(notches, parts_.plot.twipsAt(event.position()));
    return true;
}

void PlotExplorer::press(QMouseEvent& event) {
    drag_.reset();
    const auto& frame = parts_.draw.publishedFrame();
    if (event.button() != Qt::LeftButton || !frame || busy())
        return;
    const QPointF at = event.position();
    const PlotMapping& mapping = parts_.plot.mapping();
    drag_ = Drag{at, mapping.twipsPerPixelX() * frame->RangeX / plot::PlotWidth,
                 mapping.twipsPerPixelY() * frame->RangeY / plot::PlotHeight};
}

void PlotExplorer::drag(QMouseEvent& event) {
    if (!drag_ || !(event.buttons() & Qt::LeftButton) || busy())
        return;
    // Whole units, counted from the press, so no fraction is lost between moves.
    const QPointF moved = event.position() - drag_->from;
    const double x = -std::round(moved.x() * drag_->unitsPerPixelX) + 0.0;
    const double y = std::round(moved.y() * drag_->unitsPerPixelY) + 0.0;
    if (x == drag_->movedX && y == drag_->movedY)
        return;
    if (!mayChangeRange()) {
        drag_.reset();
        return;
    }
    const double dx = x - drag_->movedX;
    const double dy = y - drag_->movedY;
    drag_->movedX = x;
    drag_->movedY = y;
    panBy(dx, dy);
}

bool PlotExplorer::key(QKeyEvent& event) {
    const bool control = event.modifiers() & Qt::ControlModifier;
    int notches = 0;
    double dx = 0, dy = 0;
    switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        notches = 1;
        break;
    case Qt::Key_Minus:
        notches = -1;
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        dx = event.key() == Qt::Key_Left ? -1 : event.key() == Qt::Key_Right ? 1 : 0;
        dy = event.key() == Qt::Key_Down ? -1 : event.key() == Qt::Key_Up ? 1 : 0;
        break;
    case Qt::Key_0:
        if (!control)
            return false;
        if (mayChangeRange())
            backToTyped();
        return true;
    default:
        return false;
    }
    if (control && notches == 0)
        return false;
    if (!mayChangeRange())
        return true;
    if (notches != 0)
        zoomBy(notches, QPointF(plot::PlotWidth / 2, plot::PlotHeight / 2));
    else
        panBy(dx * keyPan(zoom_.shown().Xmax - zoom_.shown().Xmin),
              dy * keyPan(zoom_.shown().Ymax - zoom_.shown().Ymin));
    return true;
}

bool PlotExplorer::mayChangeRange() {
    if (busy())
        return false;
    // The plot holds curves of earlier draws that a new range cannot redraw.
    if (parts_.switches.ClearBeforePlot == plot::kFalse) {
        note(kKeepNote);
        return false;
    }
    const auto& drawn = parts_.draw.publishedRange();
    if (!drawn)
        return false; // nothing on the plot to move
    const plot::RangeTexts fields = parts_.area.rangeTexts();
    if (!written_ || !sameTexts(fields, *written_))
        typed_ = fields; // the user's own, since the last zoom wrote them
    if (!written_ || !sameRange(*drawn, zoom_.shown())) {
        // The plot shows a draw of the user's; the zoom starts from it.
        if (plot::sampleCount(*drawn) == 0) {
            note(kBadStepNote);
            return false;
        }
        zoom_.start(*drawn);
        written_ = plot::rangeTextsOf(*drawn);
    }
    return true;
}

void PlotExplorer::zoomBy(int notches, QPointF anchorTwips) {
    if (!mayChangeRange())
        return;
    const double fx = std::clamp(anchorTwips.x() / plot::PlotWidth, 0.0, 1.0);
    const double fy = std::clamp(anchorTwips.y() / plot::PlotHeight, 0.0, 1.0);
    switch (zoom_.zoom(notches, fx, fy)) {
    case plot::ZoomOutcome::Changed:
        show(zoom_.shown());
        break;
    case plot::ZoomOutcome::Narrowest:
        note(kNarrowestNote);
        break;
    case plot::ZoomOutcome::Widest:
        note(kWidestNote);
        break;
    case plot::ZoomOutcome::Refused:
        note(kRefusedNote);
        break;
    }
}

void PlotExplorer::panBy(double dxUnits, double dyUnits) {
    if (zoom_.pan(dxUnits, dyUnits) == plot::ZoomOutcome::Changed)
        show(zoom_.shown());
    else
        note(kRefusedNote);
}

void PlotExplorer::backToTyped() {
    if (!typed_)
        return;
    parts_.area.setRangeTexts(*typed_);
    written_.reset();
    parts_.runDraw();
}

void PlotExplorer::show(const plot::PlotRange& range) {
    written_ = plot::rangeTextsOf(range);
    parts_.area.setRangeTexts(*written_);
    parts_.runDraw();
}

void PlotExplorer::note(const char* text) {
    parts_.notes.showNote(QString::fromUtf8(text));
}

} // namespace curvalia::ui
