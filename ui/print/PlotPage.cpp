#include "ui/print/PlotPage.h"

#include "plot/PlotFrame.h"
#include "ui/plotview/AxisNumbers.h"
#include "ui/plotview/PlotMapping.h"
#include "ui/print/PagePainterSurface.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace curvalia::ui {

namespace {

constexpr double kPointsPerCm = 72.0 / 2.54;
constexpr double kHeaderGapMm = 4;

// Sized in pixels, which the painter's scale turns into points: a point
// size would be scaled by the device's resolution a second time.
QFont pageFont(int points, bool bold = false) {
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(points);
    font.setBold(bold);
    return font;
}

const QFont& titleFont() {
    static const QFont font = pageFont(14, true);
    return font;
}

const QFont& legendFont() {
    static const QFont font = pageFont(10);
    return font;
}

const QFont& numberFont() {
    static const QFont font = pageFont(8);
    return font;
}

QColor shown(int paletteColour, plot::Background background) {
    const plot::Rgb c = plot::shownColour(paletteColour, background);
    return QColor(c.r, c.g, c.b);
}

// At most a third of the page for the title and the legend.
int legendLinesThatFit(const QPageLayout& layout, std::size_t lines) {
    const double room =
        layout.paintRect(QPageLayout::Point).height() / 3 - QFontMetricsF(titleFont()).height();
    const double each = QFontMetricsF(legendFont()).lineSpacing();
    return static_cast<int>(std::clamp(std::floor(room / each), 0.0, static_cast<double>(lines)));
}

} // namespace

QString pageTitle(const plot::PlotModel& model) {
    QStringList expressions;
    for (const std::size_t index : model.shownCurves())
        expressions.append(QString::fromStdString(model.curves()[index].expression));
    return expressions.join(QStringLiteral(", "));
}

std::vector<PageLegendLine> pageLegend(const plot::PlotModel& model) {
    std::vector<PageLegendLine> lines;
    for (const std::size_t index : model.shownCurves()) {
        const plot::Curve& curve = model.curves()[index];
        const QString expression = QString::fromStdString(curve.expression);
        if (curve.function)
            lines.push_back({expression, curve.colour});
        if (curve.derivative)
            lines.push_back({expression + QLatin1Char('\''), curve.derivativePaletteColour()});
    }
    return lines;
}

std::optional<QRectF> placePlot(const QRectF& area, const plot::PlotRange& view, PageScale scale) {
    if (!(area.width() > 0 && area.height() > 0))
        return std::nullopt;
    QSizeF size;
    if (scale == PageScale::Centimetre) {
        size =
            QSizeF((view.Xmax - view.Xmin) * kPointsPerCm, (view.Ymax - view.Ymin) * kPointsPerCm);
        // A hair of slack: a view exactly as wide as the page fits.
        constexpr double slack = 1e-6;
        if (!(size.width() > 0 && size.height() > 0 && size.width() <= area.width() + slack &&
              size.height() <= area.height() + slack))
            return std::nullopt;
    } else {
        const double aspect = plot::PlotWidth / plot::PlotHeight;
        const double width = std::min(area.width(), area.height() * aspect);
        size = QSizeF(width, width / aspect);
    }
    QRectF placed(QPointF(0, 0), size);
    placed.moveCenter(area.center());
    return placed;
}

PlotPage::PlotPage(plot::DrawCommand& draw, const plot::PlotRange& view, bool axisNumbers,
                   PageOptions options)
    : draw_(draw), view_(view), axisNumbers_(axisNumbers), options_(options) {}

double PlotPage::headerHeight() const {
    if (draw_.model().shownCount() == 0)
        return 0;
    return QFontMetricsF(titleFont()).height() +
           static_cast<double>(pageLegend(draw_.model()).size()) *
               QFontMetricsF(legendFont()).lineSpacing() +
           kHeaderGapMm * kPointsPerMm;
}

QRectF PlotPage::plotArea(const QPageLayout& layout) const {
    const QSizeF printable = layout.paintRect(QPageLayout::Point).size();
    const double header =
        std::min(headerHeight(), printable.height() / 3 + kHeaderGapMm * kPointsPerMm);
    return QRectF(0, header, printable.width(), printable.height() - header);
}

bool PlotPage::fitsAtCentimetre(const QPageLayout& layout) const {
    return placePlot(plotArea(layout), view_, PageScale::Centimetre).has_value();
}

QString PlotPage::tooBigQuestion(const QPageLayout& layout) const {
    const QRectF area = plotArea(layout);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    // A view of a billion units is not worth a billion digits.
    const auto cm = [&](double value) {
        return std::fabs(value) < 1e6 ? italian.toString(value, 'f', 1)
                                      : italian.toString(value, 'g', 3);
    };
    return QString::fromUtf8("La vista non entra nella pagina a 1 unit\xC3\xA0 = 1 cm: servono "
                             "%1 x %2 cm, la pagina ne offre %3 x %4 cm.\n\nAdattare il grafico "
                             "alla pagina?")
        .arg(cm(view_.Xmax - view_.Xmin), cm(view_.Ymax - view_.Ymin),
             cm(area.width() / kPointsPerCm), cm(area.height() / kPointsPerCm));
}

std::optional<QRectF> PlotPage::paint(QPainter& painter, const QPagedPaintDevice& device) {
    const QPageLayout layout = device.pageLayout();
    const QRectF area = plotArea(layout);
    const std::optional<QRectF> plotRect = placePlot(area, view_, options_.scale);
    if (!plotRect)
        return std::nullopt;
    const plot::Background background = options_.background;
    painter.save();
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    painter.setRenderHint(QPainter::Antialiasing);
    if (background == plot::Background::Black) {
        const QRectF printable = layout.paintRect(QPageLayout::Point);
        painter.fillRect(layout.fullRect(QPageLayout::Point).translated(-printable.topLeft()),
                         Qt::black);
    }

    const QColor text = shown(15, background);
    const QFontMetricsF titleMetrics(titleFont());
    painter.setFont(titleFont());
    painter.setPen(text);
    painter.drawText(
        QPointF(0, titleMetrics.ascent()),
        titleMetrics.elidedText(pageTitle(draw_.model()), Qt::ElideRight, area.width()));
    const QFontMetricsF legendMetrics(legendFont());
    painter.setFont(legendFont());
    const std::vector<PageLegendLine> legend = pageLegend(draw_.model());
    const int kept = legendLinesThatFit(layout, legend.size());
    double baseline = titleMetrics.height() + legendMetrics.ascent();
    for (int i = 0; i < kept; ++i, baseline += legendMetrics.lineSpacing()) {
        const bool last = i + 1 == kept && kept < static_cast<int>(legend.size());
        painter.setPen(last ? text : shown(legend[i].colour, background));
        painter.drawText(
            QPointF(0, baseline),
            last ? QString::fromUtf8("\xE2\x80\xA6")
                 : legendMetrics.elidedText(legend[i].text, Qt::ElideRight, area.width()));
    }

    painter.save();
    painter.setClipRect(*plotRect);
    {
        PagePainterSurface surface(painter, *plotRect, background);
        draw_.drawModelOn(surface, view_);
    }
    painter.restore();

    if (axisNumbers_) {
        // Laid out as on the screen, with a point for a pixel.
        const PlotMapping mapping(QSize(446, 310),
                                  QSize(std::max(2, static_cast<int>(plotRect->width()) + 1),
                                        std::max(2, static_cast<int>(plotRect->height()) + 1)));
        const AxisNumbers numbers =
            layoutAxisNumbers(plot::frameOf(view_.Xmin, view_.Xmax, view_.Ymin, view_.Ymax),
                              mapping, QFontMetricsF(numberFont()), QLocale());
        painter.setFont(numberFont());
        painter.setPen(shown(plot::kAxesColour, background));
        for (const auto* axis : {&numbers.x, &numbers.y})
            for (const AxisNumber& n : *axis)
                painter.drawText(plotRect->topLeft() + QPointF(n.box.left(), n.baseline), n.text);
    }
    painter.restore();
    return plotRect;
}

QByteArray plotPdf(PlotPage& page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral(CURVALIA_TITLE));
        writer.setTitle(page.title());
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        const bool painted = page.paint(painter, writer).has_value();
        painter.end();
        if (!painted)
            return {};
    }
    return bytes;
}

} // namespace curvalia::ui
