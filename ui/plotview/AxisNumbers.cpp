#include "ui/plotview/AxisNumbers.h"

#include "layout/NumberWriter.h"
#include "plot/AxesRenderer.h"
#include "plot/Palette.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace curvalia::ui {

namespace {

constexpr double kGapPixels = 3;        // between an axis and its numbers
constexpr double kSpacingPixels = 12;   // at least, between neighbouring numbers
constexpr int kMaxNumbersPerAxis = 400; // a bound however small the step

int decimalsOf(double step) {
    return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
}

// Written as the read-out writes them; beyond 1e15 in exponent form, with
// as many digits as tell one step from the next (at least six), since
// writing every digit of such a number would fill the axis.
QString numberText(double value, double step, const QLocale& locale) {
    if (std::abs(value) >= 1e15) {
        const int needed = static_cast<int>(std::floor(std::log10(std::abs(value))) -
                                            std::floor(std::log10(step) + 1e-9)) +
                           1;
        return layout::interfaceNumber(
            value, layout::Digits::significant(std::clamp(needed, 6, 17)), locale);
    }
    return layout::interfaceNumber(value, layout::Digits::decimals(decimalsOf(step)), locale);
}

// A number placed, and whether the drawing's edge pushed it off its value.
struct Placed {
    AxisNumber number;
    bool pushed;
};

// Along one axis, in the order of their values: where two would touch, the
// one the edge pushed in gives way (the others keep the step's spacing),
// else the later one; and of two that read the same, the later one.
std::vector<AxisNumber> apart(const std::vector<Placed>& placed, bool horizontal) {
    const auto touch = [horizontal](const QRectF& a, const QRectF& b) {
        const QRectF grown = horizontal ? a.adjusted(-kGapPixels, 0, kGapPixels, 0)
                                        : a.adjusted(0, -kGapPixels, 0, kGapPixels);
        return grown.intersects(b);
    };
    std::vector<Placed> kept;
    for (const Placed& p : placed) {
        if (!kept.empty() && (touch(kept.back().number.box, p.number.box) ||
                              kept.back().number.text == p.number.text)) {
            if (kept.back().pushed && !p.pushed)
                kept.back() = p;
            continue;
        }
        kept.push_back(p);
    }
    std::vector<AxisNumber> out;
    for (const Placed& p : kept)
        out.push_back(p.number);
    return out;
}

// The multiples of step within [low, high], at most kMaxNumbersPerAxis + 1.
// Counted with an integer: far from 0 the quotients lie beyond 2^53, where
// adding 1 to a double can leave it as it was (and a value it cannot tell
// from the one before is one number).
std::vector<double> multiples(double low, double high, double step) {
    std::vector<double> out;
    const double first = std::ceil(low / step);
    const double last = std::floor(high / step);
    if (!(last - first <= kMaxNumbersPerAxis))
        return out;
    const int count = static_cast<int>(last - first);
    for (int i = 0; i <= count; ++i) {
        const double v = (first + i) * step;
        if (out.empty() || v != out.back())
            out.push_back(v);
    }
    return out;
}

// Widths of number texts as the sum of their characters' advances, kept
// per character: shaping every text anew would cost more than drawing it.
// (The face has no kerning between digits and signs.)
class TextWidths {
  public:
    explicit TextWidths(const QFontMetricsF& metrics) : metrics_(metrics) { known_.fill(-1); }
    double operator()(const QString& text) const {
        double sum = 0;
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u >= known_.size())
                return metrics_.horizontalAdvance(text);
            if (known_[u] < 0)
                known_[u] = metrics_.horizontalAdvance(c);
            sum += known_[u];
        }
        return sum;
    }

  private:
    const QFontMetricsF& metrics_;
    mutable std::array<double, 128> known_;
};

// The digits of the face are all as wide as each other, so the widest
// number is one of the two farthest from 0.
double widestText(double low, double high, double step, const TextWidths& width,
                  const QLocale& locale) {
    double widest = 0;
    for (const double v : {std::ceil(low / step) * step, std::floor(high / step) * step})
        widest = std::max(widest, width(numberText(v, step, locale)));
    return widest;
}

// In a view narrower than two whole units the ticks lie at tickStep(), so
// the numbers' step is the least multiple of it that is at least the step
// their text needs; doubling is enough, since of two round steps the larger
// is a multiple of the smaller except for 5 over 2 (and 10 is 5 times 2).
// Wider views keep the numbers' own step, which may well fall between
// whole-unit ticks.
double onTicks(double step, double low, double high) {
    const double tick = plot::tickStep(low, high);
    if (step <= 0 || tick == 1)
        return step;
    step = std::max(step, tick);
    const auto onTick = [tick](double s) {
        const double ratio = s / tick;
        return std::abs(ratio - std::round(ratio)) < 1e-6 * ratio;
    };
    while (!onTick(step))
        step *= 2;
    return step;
}

} // namespace

double roundStep(double range, double pixels, const std::function<double(double)>& room) {
    if (!(range > 0) || !(pixels > 1) || !std::isfinite(range))
        return 0;
    // Start from the step that puts numbers kSpacingPixels apart at most.
    double power = std::pow(10.0, std::floor(std::log10(range * kSpacingPixels / pixels)));
    for (int tries = 0; tries < 12 && std::isfinite(power); ++tries, power *= 10) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = m * power;
            if (range / step > kMaxNumbersPerAxis || step * pixels / range < kSpacingPixels)
                continue;
            if (step * pixels / range >= room(step))
                return step;
        }
    }
    return 0;
}

QFont axisNumberFont(plot::AxisNumberSize size) {
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    // 1.3 and 1.7 times the small size: still a line of text beside the axis.
    font.setPixelSize(size == plot::AxisNumberSize::Large    ? 17
                      : size == plot::AxisNumberSize::Medium ? 13
                                                             : 10);
    return font;
}

AxisNumbers layoutAxisNumbers(const plot::PlotFrame& frame, const PlotMapping& mapping,
                              const QFontMetricsF& metrics, const QLocale& givenLocale) {
    AxisNumbers out;
    // Made plain once here, rather than by every number it writes.
    QLocale locale = givenLocale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const TextWidths widthOf(metrics);
    const double W = mapping.pixels().width(), H = mapping.pixels().height();
    const double xmin = frame.Xmin, xmax = frame.Xmin + frame.RangeX;
    const double ymax = frame.Ymax, ymin = frame.Ymax - frame.RangeY;
    const double height = metrics.ascent() + metrics.descent();
    const auto toX = [&](double x) { return frame.column(x) * mapping.pixelsPerTwipX(); };
    const auto toY = [&](double v) { return frame.row(v) * mapping.pixelsPerTwipY(); };

    // Where the axes lie; outside the frame, along the edge that carries
    // their ticks.
    const bool xAxisInside = ymin <= 0 && 0 <= ymax;
    const bool yAxisInside = xmin <= 0 && 0 <= xmax;
    const double axisRow =
        xAxisInside ? toY(0)
                    : (ymax < 0 ? plot::kTopTickY : plot::kBottomTickY) * mapping.pixelsPerTwipY();
    const double axisColumn = yAxisInside ? toX(0) : plot::kLeftTickX * mapping.pixelsPerTwipX();

    out.xStep =
        onTicks(roundStep(xmax - xmin, W,
                          [&](double step) {
                              return widestText(xmin, xmax, step, widthOf, locale) + kSpacingPixels;
                          }),
                xmin, xmax);
    out.yStep = onTicks(roundStep(ymax - ymin, H, [&](double) { return height + kSpacingPixels; }),
                        ymin, ymax);

    // Under the x axis, or over it where there is no room below.
    const bool below = axisRow + kGapPixels + height <= H;
    const double top = below ? axisRow + kGapPixels : axisRow - kGapPixels - height;
    if (out.xStep > 0) {
        std::vector<Placed> placed;
        for (const double v : multiples(xmin, xmax, out.xStep)) {
            if (v == 0 && yAxisInside)
                continue; // it would lie on the y axis
            const QString text = numberText(v, out.xStep, locale);
            const double w = widthOf(text);
            QRectF box(toX(v) - w / 2, top, w, height);
            const double left = box.left();
            box.moveLeft(std::clamp(left, 0.0, std::max(0.0, W - w)));
            placed.push_back({{v, text, box, top + metrics.ascent()}, box.left() != left});
        }
        out.x = apart(placed, true);
    }
    // Left of the y axis, or right of it where there is no room on the left.
    if (out.yStep > 0) {
        std::vector<double> values = multiples(ymin, ymax, out.yStep);
        double widest = 0;
        for (const double v : values)
            widest = std::max(widest, widthOf(numberText(v, out.yStep, locale)));
        const bool left = axisColumn - kGapPixels - widest >= 0;
        std::vector<Placed> placed;
        for (const double v : values) {
            if (v == 0 && xAxisInside)
                continue; // it would lie on the x axis
            const QString text = numberText(v, out.yStep, locale);
            const double w = widthOf(text);
            const double x = left ? axisColumn - kGapPixels - w : axisColumn + kGapPixels;
            QRectF box(x, toY(v) - height / 2, w, height);
            const double top0 = box.top();
            box.moveTop(std::clamp(top0, 0.0, std::max(0.0, H - height)));
            placed.push_back({{v, text, box, box.top() + metrics.ascent()}, box.top() != top0});
        }
        out.y = apart(placed, false);
    }
    // Where the two axes' numbers meet, the x axis's give way.
    std::erase_if(out.x, [&](const AxisNumber& n) {
        return std::any_of(out.y.begin(), out.y.end(),
                           [&](const AxisNumber& m) { return n.box.intersects(m.box); });
    });
    return out;
}

AxisNumbersLayer::AxisNumbersLayer(FrameSource frame) : frame_(std::move(frame)) {}

const AxisNumbers* AxisNumbersLayer::current(const PlotMapping& mapping) const {
    const std::optional<plot::PlotFrame> frame = frame_();
    if (!frame)
        return nullptr;
    const QLocale locale;
    const auto same = [](const plot::PlotFrame& a, const plot::PlotFrame& b) {
        return a.Xmin == b.Xmin && a.Ymax == b.Ymax && a.RangeX == b.RangeX && a.RangeY == b.RangeY;
    };
    const QFont face = font();
    if (!cache_.frame || !same(*cache_.frame, *frame) || cache_.pixels != mapping.pixels() ||
        cache_.locale != locale.name() || cache_.fontPixels != face.pixelSize()) {
        cache_.numbers = layoutAxisNumbers(*frame, mapping, QFontMetricsF(face), locale);
        cache_.frame = frame;
        cache_.fontPixels = face.pixelSize();
        cache_.pixels = mapping.pixels();
        cache_.locale = locale.name();
    }
    return &cache_.numbers;
}

void AxisNumbersLayer::paint(QPainter& painter, const PlotMapping& mapping) const {
    const AxisNumbers* numbers = current(mapping);
    if (!numbers)
        return;
    painter.save();
    painter.setFont(font());
    painter.setPen(shownQColor(plot::kAxesColour, appearance().background));
    for (const auto* axis : {&numbers->x, &numbers->y})
        for (const AxisNumber& n : *axis)
            painter.drawText(QPointF(n.box.left(), n.baseline), n.text);
    painter.restore();
}

void AxisNumbersLayer::appendSvg(std::string& out, const PlotMapping& mapping) const {
    const AxisNumbers* numbers = current(mapping);
    if (!numbers)
        return;
    out += "<g font-family=\"Liberation Sans, Arial, sans-serif\" font-size=\"";
    out += std::to_string(font().pixelSize());
    out += "px\" fill=\"" +
           shownQColor(plot::kAxesColour, appearance().background).name().toStdString() + "\">\n";
    for (const auto* axis : {&numbers->x, &numbers->y}) {
        for (const AxisNumber& n : *axis) {
            out += "<text x=\"" + svgCoordinate(n.box.left()) + "\" y=\"" +
                   svgCoordinate(n.baseline) + "\">";
            out += n.text.toHtmlEscaped().toStdString();
            out += "</text>\n";
        }
    }
    out += "</g>\n";
}

} // namespace curvalia::ui
