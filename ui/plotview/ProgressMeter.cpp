#include "ui/plotview/ProgressMeter.h"

#include "plot/PlotFrame.h"
#include "ui/plotview/PlotSurfaceWidget.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include <algorithm>
#include <cmath>

namespace curvalia::ui {

namespace {

class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    ProgressAccessible(QWidget* bar, const ProgressMeter& meter)
        : QAccessibleWidget(bar, QAccessible::ProgressBar), meter_(meter) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QStringLiteral("%1%").arg(meter_.percent());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return meter_.percent(); }
    void setCurrentValue(const QVariant&) override {} // it shows, it is not set
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

  private:
    const ProgressMeter& meter_;
};

} // namespace

ProgressMeter::ProgressMeter(PlotSurfaceWidget& bar) : QObject(&bar), bar_(bar) {
    setObjectName(QStringLiteral("progressMeter"));
    bar.setAccessibleName(QStringLiteral("Avanzamento"));
}

ProgressMeter* ProgressMeter::of(QObject* bar) {
    return bar ? bar->findChild<ProgressMeter*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QAccessibleInterface* ProgressMeter::accessible(const QString& className, QObject* object) {
    Q_UNUSED(className)
    auto* bar = qobject_cast<PlotSurfaceWidget*>(object);
    ProgressMeter* meter = of(bar);
    return meter ? new ProgressAccessible(bar, *meter) : nullptr;
}

void ProgressMeter::PSet(float xTwips, float yTwips, int paletteColour) {
    bar_.PSet(xTwips, yTwips, paletteColour);
    const double done = std::clamp(xTwips / plot::PlotWidth, 0.0, 1.0);
    setPercent(static_cast<int>(std::lround(done * 100)));
}

void ProgressMeter::Cls() {
    bar_.Cls();
    setPercent(0);
}

void ProgressMeter::setDrawWidth(int pixels) {
    bar_.setDrawWidth(pixels);
}

double ProgressMeter::pixelTwipsX() const {
    return bar_.pixelTwipsX();
}

double ProgressMeter::pixelTwipsY() const {
    return bar_.pixelTwipsY();
}

void ProgressMeter::axesBegin(const plot::AxesCall& call) {
    bar_.axesBegin(call);
}

void ProgressMeter::axesEnd() {
    bar_.axesEnd();
}

void ProgressMeter::pointsAhead(double count) {
    bar_.pointsAhead(count);
}

void ProgressMeter::setPercent(int percent) {
    if (percent == percent_)
        return;
    percent_ = percent;
    // A screen reader asks for the value when it wants it; told of every
    // change, Orca counts a draw's changes as a flood and drops what comes
    // with them, the status line's messages among them. So it is told once
    // a second at most, and of the end.
    if (!QAccessible::isActive())
        return;
    if (percent_ < 100 && told_.isValid() && told_.elapsed() < kTellEveryMs)
        return;
    told_.start();
    QAccessibleValueChangeEvent event(&bar_, percent_);
    QAccessible::updateAccessibility(&event);
}

} // namespace curvalia::ui
