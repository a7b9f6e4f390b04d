// What is drawn over the plot without being part of it: layers such as the
// numbers on the axes. The overlay is a transparent widget laid over the
// plot's drawing, so the drawing and its point record never hold a layer's
// pixels, and hiding a layer gives back the very pixels that were there.
// A layer says whether it belongs in saved and copied images; the exporter
// paints those through paintExported() / appendExportedSvg().
#pragma once

#include "plot/Appearance.h"
#include "ui/plotview/PlotMapping.h"

#include <QColor>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace curvalia::ui {

class PlotSurfaceWidget;

// A coordinate as layers write it into SVG: two decimals, "." whatever the
// desktop's locale.
std::string svgCoordinate(double v);

// A palette colour as the plot shows it on background.
QColor shownQColor(int paletteColour, plot::Background background);

class PlotOverlayLayer {
  public:
    virtual ~PlotOverlayLayer() = default;
    // Whether the layer has anything to draw now.
    virtual bool showing() const = 0;
    // Whether the layer is part of saved PNG and SVG files and of the copied
    // image while it shows (otherwise it is for the screen only).
    virtual bool exported() const = 0;
    // Draws in logical pixels of the drawing: (0, 0) is the top-left corner
    // of its first pixel, and mapping places twips at its present size.
    virtual void paint(QPainter& painter, const PlotMapping& mapping) const = 0;
    // The same as SVG elements, in the same coordinates.
    virtual void appendSvg(std::string& out, const PlotMapping& mapping) const = 0;

    // The plot's look, which the layer follows so that it reads on the
    // plot's background (set by the overlay).
    void setAppearance(const plot::Appearance& appearance) { appearance_ = appearance; }
    const plot::Appearance& appearance() const { return appearance_; }
    bool onWhite() const { return appearance_.background == plot::Background::White; }

  private:
    plot::Appearance appearance_;
};

class PlotOverlay : public QWidget {
    Q_OBJECT
  public:
    // Lies over plot's drawing and follows its size; plot knows it as its
    // overlay from then on.
    explicit PlotOverlay(PlotSurfaceWidget& plot);

    // Layers are drawn in the order added; the overlay owns them.
    template <class Layer> Layer* addLayer(std::unique_ptr<Layer> layer) {
        Layer* raw = layer.get();
        raw->setAppearance(appearance_);
        layers_.push_back(std::move(layer));
        layersChanged();
        return raw;
    }
    // To be called whenever what a layer shows has changed.
    void layersChanged();
    // The plot's look, for every layer, present and later.
    void setAppearance(const plot::Appearance& appearance);

    // The layers that belong in exported images, as they show now.
    bool hasExportedLayers() const;
    void paintExported(QPainter& painter) const;
    void appendExportedSvg(std::string& out) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void followPlot();

    PlotSurfaceWidget& plot_;
    std::vector<std::unique_ptr<PlotOverlayLayer>> layers_;
    plot::Appearance appearance_;
};

} // namespace curvalia::ui
