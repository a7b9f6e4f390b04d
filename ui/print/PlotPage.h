// The plot as a page of paper: as a title the expressions drawn, below it
// a legend with each curve in its colours, then the plot drawn anew from
// the model at the page's own size (vector shapes, real text), either as
// large as the printable area allows or at one unit to one centimetre.
#pragma once

#include "plot/Appearance.h"
#include "plot/DrawCommand.h"
#include "plot/PlotModel.h"
#include "plot/RangeReader.h"

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPageLayout;
class QPainter;

namespace curvalia::ui {

enum class PageScale { Fit, Centimetre };

struct PageOptions {
    PageScale scale = PageScale::Fit;
    plot::Background background = plot::Background::White;
};

struct PageLegendLine {
    QString text;
    int colour; // palette number
};

// "sin(x), cos(x)": the shown curves in the order drawn.
QString pageTitle(const plot::PlotModel& model);
// For each shown curve, its expression if f is drawn and "expression'" if
// f' is, each in the colour of that part.
std::vector<PageLegendLine> pageLegend(const plot::PlotModel& model);

// Where the frame of view goes within area (points): the largest rectangle
// of the plot's proportions, or RangeX x RangeY centimetres; both centred.
// None when the centimetres do not fit.
std::optional<QRectF> placePlot(const QRectF& area, const plot::PlotRange& view, PageScale scale);

class PlotPage {
  public:
    // draw supplies the model, its look and the drawing of its curves.
    PlotPage(plot::DrawCommand& draw, const plot::PlotRange& view, bool axisNumbers,
             PageOptions options);

    const PageOptions& options() const { return options_; }
    QString title() const { return pageTitle(draw_.model()); }
    void setScale(PageScale scale) { options_.scale = scale; }

    // The printable area of layout below the title and the legend, in points
    // from the printable area's top-left corner.
    QRectF plotArea(const QPageLayout& layout) const;
    // Whether the view fits on that page at one unit to one centimetre.
    bool fitsAtCentimetre(const QPageLayout& layout) const;
    // The Italian question asked when it does not.
    QString tooBigQuestion(const QPageLayout& layout) const;

    // Paints the page on a device that has been begun on painter (its
    // origin at the printable area's corner). The plot rectangle, in points;
    // none when nothing was drawn because the scale does not fit.
    std::optional<QRectF> paint(QPainter& painter, const QPagedPaintDevice& device);

  private:
    double headerHeight() const;

    plot::DrawCommand& draw_;
    plot::PlotRange view_;
    bool axisNumbers_;
    PageOptions options_;
};

// The page as a PDF document on A4 portrait with 10 mm margins, in memory;
// empty when it could not be made.
QByteArray plotPdf(PlotPage& page);

} // namespace curvalia::ui
