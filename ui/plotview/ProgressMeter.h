// The progress bar under the plot as a screen reader knows one: a progress
// bar named "Avanzamento" whose value is the part of the sweep done, in
// percent. The draw command draws on it through this meter, which passes
// every call on to the bar and reads the percent off the dots: the sweep
// sets one at each sample's column, left to right, and a clear starts again.
#pragma once

#include "plot/Surface.h"

#include <QElapsedTimer>
#include <QObject>

class QAccessibleInterface;

namespace curvalia::ui {

class PlotSurfaceWidget;

class ProgressMeter : public QObject, public plot::Surface {
    Q_OBJECT
  public:
    // A child of bar, which a screen reader then reads as a progress bar.
    explicit ProgressMeter(PlotSurfaceWidget& bar);

    // The meter of a bar, or nullptr (for the accessibility factory).
    static ProgressMeter* of(QObject* bar);
    // The factory for QAccessible::installFactory.
    static QAccessibleInterface* accessible(const QString& className, QObject* object);

    int percent() const { return percent_; }

    void PSet(float xTwips, float yTwips, int paletteColour) override;
    void Cls() override;
    void setDrawWidth(int pixels) override;
    double pixelTwipsX() const override;
    double pixelTwipsY() const override;
    void axesBegin(const plot::AxesCall& call) override;
    void axesEnd() override;
    void pointsAhead(double count) override;

  private:
    void setPercent(int percent);

    static constexpr qint64 kTellEveryMs = 1000;

    PlotSurfaceWidget& bar_;
    int percent_ = 0;
    QElapsedTimer told_;
};

} // namespace curvalia::ui
