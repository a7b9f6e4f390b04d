// The points of the study on the plot: a small ring in the curve's colour at
// each point that lies in the frame. Part of saved and copied images.
#pragma once

#include "ui/plotview/PlotOverlay.h"

#include <QPointF>

#include <functional>
#include <vector>

namespace curvalia::ui {

struct StudyMarks {
    std::vector<QPointF> twips; // positions in the frame
    int colour = 10;            // palette number
};

class StudyMarksLayer final : public PlotOverlayLayer {
  public:
    explicit StudyMarksLayer(std::function<StudyMarks()> marks) : marks_(std::move(marks)) {}
    bool showing() const override { return !marks_().twips.empty(); }
    bool exported() const override { return true; }
    void paint(QPainter& painter, const PlotMapping& mapping) const override;
    void appendSvg(std::string& out, const PlotMapping& mapping) const override;

  private:
    std::function<StudyMarks()> marks_;
};

} // namespace curvalia::ui
