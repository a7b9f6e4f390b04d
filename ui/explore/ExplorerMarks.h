// What the plot explorer lays over the plot, as two layers of the plot's
// overlay: the cross of the trace, on the screen only, and the tangent of
// the last "Calcola", which saved and copied pictures include while it
// shows. Both are kept in twips of the frame and drawn at the plot's size.
#pragma once

#include "plot/TangentLine.h"
#include "ui/plotview/PlotOverlay.h"

#include <QColor>
#include <QPointF>
#include <QRect>

#include <functional>
#include <optional>

namespace curvalia::ui {

// Light magenta: none of the curve colours, nor the derivative's red, nor
// the grey of the axes and grid; it reads on white as well.
inline const QColor kTangentColour(255, 0, 255);
// White on the black plot, black on the white one.
inline const QColor kCrossColour(255, 255, 255);
inline const QColor kCrossColourOnWhite(0, 0, 0);

struct ExplorerMarks {
    std::optional<QPointF> cross;
    std::optional<plot::TwipSegment> tangent;
};

using MarksSource = std::function<ExplorerMarks()>;

// The pixels of the drawing that the cross at twips covers.
QRect crossBounds(const PlotMapping& mapping, QPointF crossTwips);

class TraceCrossLayer final : public PlotOverlayLayer {
  public:
    explicit TraceCrossLayer(MarksSource marks) : marks_(std::move(marks)) {}
    bool showing() const override { return marks_().cross.has_value(); }
    bool exported() const override { return false; }
    void paint(QPainter& painter, const PlotMapping& mapping) const override;
    void appendSvg(std::string&, const PlotMapping&) const override {}

  private:
    MarksSource marks_;
};

class TangentLayer final : public PlotOverlayLayer {
  public:
    explicit TangentLayer(MarksSource marks) : marks_(std::move(marks)) {}
    bool showing() const override { return marks_().tangent.has_value(); }
    bool exported() const override { return true; }
    void paint(QPainter& painter, const PlotMapping& mapping) const override;
    void appendSvg(std::string& out, const PlotMapping& mapping) const override;

  private:
    MarksSource marks_;
};

} // namespace curvalia::ui
