// The rectangle of a box zoom while it is dragged: on the screen only.
#pragma once

#include "ui/plotview/PlotOverlay.h"

#include <QRectF>

#include <optional>

namespace curvalia::ui {

class ZoomBoxLayer final : public PlotOverlayLayer {
  public:
    // In twips of the frame; none hides it.
    void setBox(std::optional<QRectF> twips) { box_ = twips; }
    const std::optional<QRectF>& box() const { return box_; }

    bool showing() const override { return box_.has_value(); }
    bool exported() const override { return false; }
    void paint(QPainter& painter, const PlotMapping& mapping) const override;
    void appendSvg(std::string&, const PlotMapping&) const override {}

  private:
    std::optional<QRectF> box_;
};

} // namespace curvalia::ui
