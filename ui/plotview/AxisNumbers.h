// Numbers on the axes: round values (1, 2 or 5 times a power of ten) as far
// apart as their text needs at the plot's present size, beside the axes
// (or along the edge where the ticks go when an axis lies outside the
// frame), in the locale's notation. layoutAxisNumbers() only places them;
// AxisNumbersLayer draws them over the plot and into exported images.
#pragma once

#include "plot/PlotFrame.h"
#include "ui/plotview/PlotMapping.h"
#include "ui/plotview/PlotOverlay.h"

#include <QFont>
#include <QLocale>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QFontMetricsF;

namespace curvalia::ui {

struct AxisNumber {
    double value;
    QString text;
    QRectF box;      // logical pixels of the drawing
    double baseline; // of the text, in the same pixels
};

struct AxisNumbers {
    double xStep = 0, yStep = 0; // 0: no numbers on that axis
    std::vector<AxisNumber> x, y;
};

// The smallest step of 1, 2 or 5 times a power of ten whose numbers, laid
// out along an axis of range units over pixels, are each at least
// room(step) pixels apart. 0 when none fits.
double roundStep(double range, double pixels, const std::function<double(double)>& room);

// Places the numbers of both axes: none overlaps another, none lies on the
// other axis, and each lies wholly on the drawing.
AxisNumbers layoutAxisNumbers(const plot::PlotFrame& frame, const PlotMapping& mapping,
                              const QFontMetricsF& metrics, const QLocale& locale);

// The sans-serif face of the numbers: small as the plot has always shown
// them, or larger for a projector.
QFont axisNumberFont(plot::AxisNumberSize size = plot::AxisNumberSize::Small);

class AxisNumbersLayer final : public PlotOverlayLayer {
  public:
    using FrameSource = std::function<std::optional<plot::PlotFrame>()>;
    explicit AxisNumbersLayer(FrameSource frame);

    // The menu switch; off at start.
    void setOn(bool on) { on_ = on; }

    bool showing() const override { return on_; }
    bool exported() const override { return true; }
    void paint(QPainter& painter, const PlotMapping& mapping) const override;
    void appendSvg(std::string& out, const PlotMapping& mapping) const override;

  private:
    // The numbers for the frame the plot shows now, if any; laid out again
    // only when the frame, the size or the locale changed.
    const AxisNumbers* current(const PlotMapping& mapping) const;

    // In the size the appearance asks for.
    QFont font() const { return axisNumberFont(appearance().axisNumbers); }

    FrameSource frame_;
    bool on_ = false;
    mutable struct {
        std::optional<plot::PlotFrame> frame;
        int fontPixels = 0;
        QSize pixels;
        QString locale;
        AxisNumbers numbers;
    } cache_;
};

} // namespace curvalia::ui
