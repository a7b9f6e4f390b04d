#include "ui/plotview/CurveLegendLayer.h"

#include "plot/Palette.h"
#include "ui/plotview/AxisNumbers.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace curvalia::ui {

namespace {

constexpr double kMarginPixels = 4;  // from the drawing's edges
constexpr double kPaddingPixels = 4; // inside the box
// Dark enough for every palette colour but the darkest to read on, and
// still showing the curves underneath; on a white plot, light for the
// colours shown there.
const QColor kBoxColour(24, 24, 24, 200);
const QColor kBoxColourOnWhite(248, 248, 248, 200);

} // namespace

CurveLegend layoutCurveLegend(const plot::PlotModel& model, QSize pixels,
                              const QFontMetricsF& metrics) {
    CurveLegend out;
    if (model.shownCount() < 2)
        return out;
    const double inset = kMarginPixels + kPaddingPixels;
    const double textRoom = pixels.width() - 2 * inset;
    const double bottom = pixels.height() - inset;
    const double height = metrics.ascent() + metrics.descent();
    if (textRoom <= 0)
        return out;

    double top = inset, widest = 0;
    const auto add = [&](const QString& text, int colour) {
        if (top + height > bottom)
            return;
        const QString fitted = metrics.elidedText(text, Qt::ElideRight, textRoom);
        widest = std::max(widest, metrics.horizontalAdvance(fitted));
        out.lines.push_back({fitted, colour, QPointF(inset, top + metrics.ascent())});
        top += height;
    };
    for (const std::size_t index : model.shownCurves()) {
        const plot::Curve& curve = model.curves()[index];
        const QString expression = QString::fromStdString(curve.expression);
        if (curve.function)
            add(expression, curve.colour);
        if (curve.derivative)
            add(expression + QLatin1Char('\''), curve.derivativePaletteColour());
    }
    if (!out.lines.empty())
        out.box = QRectF(kMarginPixels, kMarginPixels, widest + 2 * kPaddingPixels,
                         top - kMarginPixels + kPaddingPixels);
    return out;
}

CurveLegendLayer::CurveLegendLayer(const plot::PlotModel& model)
    : model_(model), font_(axisNumberFont()) {}

void CurveLegendLayer::paint(QPainter& painter, const PlotMapping& mapping) const {
    const CurveLegend legend = layoutCurveLegend(model_, mapping.pixels(), QFontMetricsF(font_));
    if (legend.lines.empty())
        return;
    painter.save();
    painter.fillRect(legend.box, onWhite() ? kBoxColourOnWhite : kBoxColour);
    painter.setFont(font_);
    for (const LegendLine& line : legend.lines) {
        painter.setPen(shownQColor(line.colour, appearance().background));
        painter.drawText(line.baseline, line.text);
    }
    painter.restore();
}

void CurveLegendLayer::appendSvg(std::string& out, const PlotMapping& mapping) const {
    const CurveLegend legend = layoutCurveLegend(model_, mapping.pixels(), QFontMetricsF(font_));
    if (legend.lines.empty())
        return;
    out += "<g font-family=\"Liberation Sans, Arial, sans-serif\" font-size=\"";
    out += std::to_string(font_.pixelSize()) + "px\">\n";
    const QColor box = onWhite() ? kBoxColourOnWhite : kBoxColour;
    out += "<rect x=\"" + svgCoordinate(legend.box.x()) + "\" y=\"" +
           svgCoordinate(legend.box.y()) + "\" width=\"" + svgCoordinate(legend.box.width()) +
           "\" height=\"" + svgCoordinate(legend.box.height()) + "\" fill=\"" +
           box.name().toStdString() + "\" fill-opacity=\"" + svgCoordinate(box.alphaF()) + "\"/>\n";
    for (const LegendLine& line : legend.lines) {
        out += "<text x=\"" + svgCoordinate(line.baseline.x()) + "\" y=\"" +
               svgCoordinate(line.baseline.y()) + "\" fill=\"" +
               shownQColor(line.colour, appearance().background).name().toStdString() + "\">";
        // Expressions hold < and >, which would end the element.
        out += line.text.toHtmlEscaped().toStdString();
        out += "</text>\n";
    }
    out += "</g>\n";
}

} // namespace curvalia::ui
