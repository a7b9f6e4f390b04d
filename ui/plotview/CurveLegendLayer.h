// The legend over the plot when it shows more than one curve: in its
// top-left corner, each shown curve's expression in its f colour and
// "<expression>'" in its f' colour, for the parts switched on, on a dark
// translucent box that keeps them readable over the curves. It belongs in
// saved and copied images, which would be as ambiguous without it.
#pragma once

#include "plot/PlotModel.h"
#include "ui/plotview/PlotMapping.h"
#include "ui/plotview/PlotOverlay.h"

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QFontMetricsF;

namespace curvalia::ui {

struct LegendLine {
    QString text;
    int colour;       // palette number
    QPointF baseline; // start of the text, logical pixels of the drawing
};

struct CurveLegend {
    QRectF box; // empty with no lines
    std::vector<LegendLine> lines;
};

// The legend for the model on a drawing of the given size: nothing with
// fewer than two shown curves; texts too wide for the drawing are cut with
// an ellipsis, and lines that would fall off its bottom are left out.
CurveLegend layoutCurveLegend(const plot::PlotModel& model, QSize pixels,
                              const QFontMetricsF& metrics);

class CurveLegendLayer final : public PlotOverlayLayer {
  public:
    explicit CurveLegendLayer(const plot::PlotModel& model);

    bool showing() const override { return model_.shownCount() > 1; }
    bool exported() const override { return true; }
    void paint(QPainter& painter, const PlotMapping& mapping) const override;
    void appendSvg(std::string& out, const PlotMapping& mapping) const override;

  private:
    const plot::PlotModel& model_;
    QFont font_;
};

} // namespace curvalia::ui
