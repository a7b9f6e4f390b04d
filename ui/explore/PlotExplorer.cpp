#include "ui/explore/PlotExplorer.h"

#include "layout/NumberWriter.h"
#include "ui/explore/CoordinateLabel.h"
#include "ui/explore/ZoomBoxLayer.h"
#include "ui/plotview/PlotInputRouter.h"
#include "ui/plotview/PlotOverlay.h"
#include "ui/plotview/PlotSurfaceWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace curvalia::ui {

namespace {

constexpr int kEighthsPerNotch = 120; // one notch of an ordinary wheel
constexpr double kKeyPanShare = 0.1;  // an arrow key moves by a tenth of the view
constexpr double kLeastBoxPixels = 2; // a smaller rectangle is a slip of the hand

bool sameView(const plot::PlotRange& a, const plot::PlotRange& b) {
    return a.Xmin == b.Xmin && a.Xmax == b.Xmax && a.Ymin == b.Ymin && a.Ymax == b.Ymax &&
           a.Step == b.Step;
}

// Three digits of the width, trailing zeros dropped: a view far from 0 keeps
// the digits that tell its ends apart, and none is written in exponent form.
QString end(double v, double width, const QLocale& locale) {
    if (std::abs(v) >= 1e15)
        return layout::interfaceNumber(v, layout::Digits::significant(15), locale);
    const int decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(width))), 0, 15);
    QString text = layout::interfaceNumber(v, layout::Digits::decimals(decimals), locale);
    if (decimals > 0) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(locale.decimalPoint()))
            text.chop(locale.decimalPoint().size());
    }
    return text;
}

} // namespace

QString viewNoteText(const plot::PlotRange& view, const QLocale& locale) {
    const double wx = view.Xmax - view.Xmin;
    const double wy = view.Ymax - view.Ymin;
    return QStringLiteral("Vista: x da %1 a %2; y da %3 a %4")
        .arg(end(view.Xmin, wx, locale), end(view.Xmax, wx, locale), end(view.Ymin, wy, locale),
             end(view.Ymax, wy, locale));
}

PlotExplorer::PlotExplorer(Parts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)) {
    setObjectName(QStringLiteral("plotExplorer"));
    box_ = parts_.overlay.addLayer(std::make_unique<ZoomBoxLayer>());
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
        return release(static_cast<QMouseEvent&>(event));
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

QPointF PlotExplorer::unitsAt(QPointF widgetPosition) const {
    const plot::PlotFrame& frame = *parts_.draw.publishedFrame();
    const QPointF twips = parts_.plot.twipsAt(widgetPosition);
    return {frame.xAt(twips.x()), frame.valueAt(twips.y())};
}

void PlotExplorer::press(QMouseEvent& event) {
    drag_.reset();
    const auto& frame = parts_.draw.publishedFrame();
    if (event.button() != Qt::LeftButton || !frame || busy())
        return;
    const QPointF at = event.position();
    if (event.modifiers() & Qt::ShiftModifier) {
        const QPointF twips = parts_.plot.twipsAt(at);
        box_->setBox(QRectF(twips, twips));
        return;
    }
    const PlotMapping& mapping = parts_.plot.mapping();
    drag_ = Drag{at, mapping.twipsPerPixelX() * frame->RangeX / plot::PlotWidth,
                 mapping.twipsPerPixelY() * frame->RangeY / plot::PlotHeight};
}

void PlotExplorer::drag(QMouseEvent& event) {
    if (!(event.buttons() & Qt::LeftButton) || busy())
        return;
    if (box_->box()) {
        box_->setBox(QRectF(box_->box()->topLeft(), parts_.plot.twipsAt(event.position())));
        parts_.overlay.layersChanged();
        return;
    }
    if (!drag_)
        return;
    // Counted from the press, so no fraction is lost between moves.
    const QPointF moved = event.position() - drag_->from;
    const double x = -moved.x() * drag_->unitsPerPixelX + 0.0;
    const double y = moved.y() * drag_->unitsPerPixelY + 0.0;
    if (x == drag_->movedX && y == drag_->movedY)
        return;
    if (!mayChangeView()) {
        drag_.reset();
        return;
    }
    const double dx = x - drag_->movedX;
    const double dy = y - drag_->movedY;
    drag_->movedX = x;
    drag_->movedY = y;
    panBy(dx, dy);
}

bool PlotExplorer::release(QMouseEvent& event) {
    drag_.reset();
    if (!box_->box() || event.button() != Qt::LeftButton)
        return false;
    const QRectF twips = box_->box()->normalized();
    box_->setBox(std::nullopt);
    parts_.overlay.layersChanged();
    const PlotMapping& mapping = parts_.plot.mapping();
    const QRectF pixels(mapping.toPixels(twips.topLeft()), mapping.toPixels(twips.bottomRight()));
    if (pixels.width() < kLeastBoxPixels || pixels.height() < kLeastBoxPixels || !mayChangeView())
        return true;
    const plot::PlotFrame& frame = *parts_.draw.publishedFrame();
    follow(zoom_.box(frame.xAt(twips.left()), frame.valueAt(twips.top()), frame.xAt(twips.right()),
                     frame.valueAt(twips.bottom())));
    return true;
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
        if (mayChangeView())
            goHome();
        return true;
    default:
        return false;
    }
    if (control && notches == 0)
        return false;
    if (!mayChangeView())
        return true;
    if (notches != 0) {
        zoomBy(notches, QPointF(plot::PlotWidth / 2, plot::PlotHeight / 2));
    } else {
        const plot::PlotRange& view = zoom_.view();
        panBy(dx * (view.Xmax - view.Xmin) * kKeyPanShare,
              dy * (view.Ymax - view.Ymin) * kKeyPanShare);
    }
    return true;
}

bool PlotExplorer::mayChangeView() {
    const plot::PlotModel& model = parts_.draw.model();
    if (busy() || !parts_.draw.publishedFrame() || !model.view() || !model.home())
        return false; // nothing on the plot to move
    if (!sameView(*model.view(), zoom_.view()) || !sameView(*model.home(), zoom_.home())) {
        // A draw has shown the range of "Area" since: the zoom starts there.
        const plot::PlotRange& home = *model.home();
        if (!plot::stepAdvancesAcross(home.Xmin, home.Xmax, home.Step)) {
            note(QString::fromUtf8(kBadStepNote));
            return false;
        }
        zoom_.start(home);
        if (!sameView(*model.view(), home))
            zoom_.box(model.view()->Xmin, model.view()->Ymin, model.view()->Xmax,
                      model.view()->Ymax);
    }
    return true;
}

void PlotExplorer::zoomBy(int notches, QPointF anchorTwips) {
    if (!mayChangeView())
        return;
    const double fx = std::clamp(anchorTwips.x() / plot::PlotWidth, 0.0, 1.0);
    const double fy = std::clamp(anchorTwips.y() / plot::PlotHeight, 0.0, 1.0);
    follow(zoom_.zoom(notches, fx, fy));
}

void PlotExplorer::panBy(double dx, double dy) {
    follow(zoom_.pan(dx, dy));
}

void PlotExplorer::goHome() {
    zoom_.goHome();
    follow(plot::ViewOutcome::Changed);
}

void PlotExplorer::follow(plot::ViewOutcome outcome) {
    switch (outcome) {
    case plot::ViewOutcome::Changed:
        parts_.draw.redraw(zoom_.view());
        if (parts_.viewChanged)
            parts_.viewChanged();
        note(viewNoteText(zoom_.view()));
        break;
    case plot::ViewOutcome::TooNarrow:
        note(QString::fromUtf8(kTooNarrowNote));
        break;
    case plot::ViewOutcome::TooWide:
        note(QString::fromUtf8(kTooWideNote));
        break;
    }
}

void PlotExplorer::note(const QString& text) {
    parts_.notes.showNote(text);
}

} // namespace curvalia::ui
