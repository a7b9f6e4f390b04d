#include "engine/FunctionLibrary.h"

#include <cmath>

namespace curvalia::engine {

namespace {

FunctionResult ok(double v) {
    return {v, false};
}

FunctionResult outside(double placeholder) {
    return {placeholder, true};
}

// The root with the index as given: an odd (or not whole) index keeps the
// sign of the radicand, so rad(3)(-8) is -2 where (-8)^(1/3) has no real value.
FunctionResult root(double index, double a) {
    // 1/0 has no value, so neither has a root of index 0.
    if (index == 0)
        return outside(0);
    const bool even = IsEven(index);
    if (even && a < 0)
        return outside(0);
    if (even)
        return ok(std::pow(a, 1 / index));
    if (a < 0)
        return ok(-std::pow(std::fabs(a), 1 / index));
    return ok(std::pow(std::fabs(a), 1 / index));
}

} // namespace

StepValue applyFunctionStep(TokenKind k, double a, double index) {
    const FunctionResult f = applyFunction(k, a, index);
    return finiteStep(f.value, f.domainError ? 1 : 0);
}

bool IsEven(double v) {
    return std::floor(v / 2) * 2 == v;
}

FunctionResult applyFunction(TokenKind k, double a, double index) {
    // The end points of asin and acos are excluded because these forms
    // divide by sqrt(1 - a*a).
    const double rightAngle = 2 * std::atan(1.0);
    switch (k) {
    case TokenKind::Sin:
        return ok(std::sin(a));
    case TokenKind::Cos:
        return ok(std::cos(a));
    case TokenKind::Tg:
        return ok(std::tan(a));
    case TokenKind::Asin:
        return (-1 < a && a < 1) ? ok(std::atan(a / std::sqrt(1 - a * a))) : outside(0);
    case TokenKind::Acos:
        return (-1 < a && a < 1) ? ok(std::atan(-a / std::sqrt(1 - a * a)) + rightAngle)
                                 : outside(0);
    case TokenKind::Atg:
        return ok(std::atan(a));
    case TokenKind::Abs:
        return ok(std::fabs(a));
    case TokenKind::Lge:
        return a > 0 ? ok(std::log(a)) : outside(1);
    case TokenKind::Lgn:
        return a > 0 ? ok(std::log(a) / std::log(10.0)) : outside(1);
    case TokenKind::Rad:
        return root(index, a);
    default:
        return outside(0);
    }
}

} // namespace curvalia::engine
