#include "calc/ValueCalculator.h"

#include "engine/NumberText.h"

#include <cmath>
#include <utility>

namespace curvalia::calc {

namespace {

// Pi to ten digits, as the engine's "p" stands for it; the shown angles are
// computed with the same value so they agree with what the user can type.
constexpr double kTenDigitPi = 3.141592654;

// Rounded to 15 significant digits through decimal text: the binary error of
// a product such as 0.29 * 100000 (28999.999999999996) lies beyond the 15th
// digit and disappears, while genuine digits (66666.666...) stay.
double roundTo15Digits(double v) {
    return engine::roundToSignificantDigits(v, 15);
}

} // namespace

std::string plainNumberText(double v) {
    return engine::plainNumberText(v, 15);
}

double floorToDecimals(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double product = v * scale;
    if (!std::isfinite(product))
        return v;
    // Adding +0.0 turns a floored -0 into 0, so "-0" is never shown.
    return std::floor(roundTo15Digits(product)) / scale + 0.0;
}

ValueCalculator::ValueCalculator(engine::Engine& engine, NumberFormatter format, StatusShare status)
    : engine_(engine), format_(std::move(format)), status_(std::move(status)) {
    if (!format_)
        format_ = plainNumberText;
}

std::string ValueCalculator::shown(double v, int decimals) const {
    return format_(floorToDecimals(v, decimals));
}

CalcFields ValueCalculator::calculate(std::string_view expression, std::string_view xText) {
    // Only our own text goes: a text of the draw command is still true.
    const bool ownText = status_.showsOwnText && status_.showsOwnText();
    if (status_.claim)
        status_.claim();
    // The claim ends with this calculation, however it returns.
    struct Release {
        const std::function<void()>& release;
        ~Release() {
            if (release)
                release();
        }
    } const release{status_.release};
    if (ownText && status_.write)
        status_.write("");
    return compute(expression, xText);
}

CalcFields ValueCalculator::compute(std::string_view typed, std::string_view xText) {
    // The conversion stops at a comma, so "0,5" is read as 0; say why, since
    // an Italian user types the comma by habit.
    if (status_.write && xText.find(',') != std::string_view::npos)
        status_.write(kDecimalCommaMessage);

    // What the draw command would plot is what is evaluated here: the same
    // lower-casing and the same check, so "X" is x and "x+" is refused
    // instead of showing a value; an empty text is refused, not read as 0.
    const std::string expression = engine::toLowerText(typed);
    engine_.emptyArrays();
    if (!engine_.CheckExpression(expression))
        return {kUndefinedText, {}, {}, {}, {}, {}};
    bool fromExpression = false;
    const std::optional<double> read = readX(xText, fromExpression);
    if (!read || !std::isfinite(*read))
        return {kUndefinedText, {}, {}, {}, {}, {}};
    const double x = *read;

    const engine::Sample at = engine_.evaluateSample(expression, x);
    const engine::Sample next = engine_.evaluateSample(expression, x + kDerivativeStep);
    const bool valueShown = at.defined && std::isfinite(at.value);

    CalcFields fields;
    if (fromExpression)
        fields.xFromExpression = x;
    fields.VY = valueShown ? shown(at.value, 5) : kUndefinedText;
    if (valueShown)
        fields.value = at.value;
    if (valueShown && next.defined && std::isfinite(next.value)) {
        const double d = (next.value - at.value) / kDerivativeStep;
        // An overflowing quotient is no derivative: leave both fields empty
        // rather than showing "inf" as if it were a slope.
        if (std::isfinite(d)) {
            fields.DPrima = shown(d, 5);
            fields.slope = d;
            fields.Angolo = shown(std::atan(d) * 180 / kTenDigitPi, 3);
        }
    }
    return fields;
}

std::optional<double> ValueCalculator::readX(std::string_view xText, bool& fromExpression) {
    if (xText.find(',') != std::string_view::npos || engine::readsAsWholeNumber(xText))
        return engine::textToNumber(xText);
    // "p/2", "1/3", "rad(3)(2)": checked and evaluated as the plot would,
    // with no x to put in.
    const std::string constant = engine::toLowerText(xText);
    const auto say = [this](const char* text) {
        if (status_.write)
            status_.write(text);
    };
    if (constant.find('x') != std::string::npos) {
        say(kXWithXMessage);
        return std::nullopt;
    }
    engine_.emptyArrays();
    if (!engine_.CheckSyntax(constant))
        return std::nullopt; // the checker's message stays
    const engine::Sample sample = engine_.evaluateSample(constant, 0);
    if (sample.outcome == engine::SampleOutcome::NothingToReduce)
        return std::nullopt; // the evaluator's message stays
    if (!sample.defined || !std::isfinite(sample.value)) {
        say(kXUndefinedMessage);
        return std::nullopt;
    }
    fromExpression = true;
    return sample.value;
}

} // namespace curvalia::calc
