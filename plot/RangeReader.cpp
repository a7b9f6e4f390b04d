#include "plot/RangeReader.h"

#include "engine/NumberText.h"
#include "plot/PlotMessages.h"

#include <algorithm>
#include <cmath>

namespace curvalia::plot {

namespace {

// x + step and the same from the neighbour of x towards the other end: the
// pair covers both mantissa parities, which matters when the step is exactly
// half a unit in the last place and rounding goes to even.
bool advancesNear(double x, double towards, double step) {
    const double neighbour = std::nextafter(x, towards);
    return x + step != x && neighbour + step != neighbour;
}

RangeTexts withDecimalPoints(RangeTexts texts) {
    for (std::string* text : {&texts.xmin, &texts.xmax, &texts.ymin, &texts.ymax, &texts.step})
        std::replace(text->begin(), text->end(), ',', '.');
    return texts;
}

} // namespace

bool stepAdvancesAcross(double from, double to, double step) {
    if (!std::isfinite(step) || step <= 0)
        return false;
    // The spacing of doubles only grows with the magnitude, so the ends of
    // the range are where a small step gets stuck first.
    return advancesNear(from, to, step) && advancesNear(to, from, step);
}

RangeReading readRange(const RangeTexts& texts) {
    RangeReading reading;
    PlotRange& r = reading.range;
    r.Xmin = std::floor(engine::textToNumber(texts.xmin));
    r.Xmax = std::floor(engine::textToNumber(texts.xmax));
    r.Ymin = std::floor(engine::textToNumber(texts.ymin));
    r.Ymax = std::floor(engine::textToNumber(texts.ymax));
    r.Step = engine::textToNumber(texts.step);

    // Differences are tested too: -1e308 to 1e308 is finite at both ends but
    // its width is not, and every point would land on an infinite column.
    const bool finite = std::isfinite(r.Xmin) && std::isfinite(r.Xmax) && std::isfinite(r.Ymin) &&
                        std::isfinite(r.Ymax) && std::isfinite(r.Xmax - r.Xmin) &&
                        std::isfinite(r.Ymax - r.Ymin);
    if (!finite || !(r.Xmin < r.Xmax) || !(r.Ymin < r.Ymax))
        reading.verdict = RangeVerdict::BadFields;
    else if (!stepAdvancesAcross(r.Xmin, r.Xmax, r.Step))
        reading.verdict = RangeVerdict::BadStep;
    return reading;
}

std::string refusalText(const RangeTexts& texts, RangeVerdict verdict) {
    std::string text = verdict == RangeVerdict::BadStep ? msg::kBadStep : msg::kBadFields;
    if (readRange(withDecimalPoints(texts)).verdict != verdict)
        text += msg::kDecimalCommaHint;
    return text;
}

} // namespace curvalia::plot
