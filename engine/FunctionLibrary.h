// The ten named functions, with the tests each makes on its argument and the
// result that stands in when the argument is outside its domain.
#pragma once

#include "engine/TextCell.h"

#include <cmath>

namespace curvalia::engine {

struct FunctionResult {
    double value;
    bool domainError;
};

// Applies the function of kind k to argument a; for rad, index is the root
// index and a the radicand. k must be a function kind.
FunctionResult applyFunction(TokenKind k, double a, double index);

// The result of one reduction step and how many domain errors it counted.
// A result that is not a finite number is itself a domain error and becomes
// 0, so that no infinity or NaN is ever stored in the list.
struct StepValue {
    double value;
    int domainErrors;
};

inline StepValue finiteStep(double v, int errors) {
    if (!std::isfinite(v))
        return {0, errors + 1};
    return {v, errors};
}

// True when v is a whole number (floor(v) == v).
inline bool IsWholeNumber(double v) {
    return std::floor(v) == v;
}

// An operator step a op b, for "^", "*", "/", "+" and "-". Inline, because
// the replay of a schedule calls it with the operator known.
inline StepValue applyOperator(TokenKind op, double a, double b) {
    switch (op) {
    case TokenKind::Caret:
        // A negative base has a real power only for a whole exponent. The
        // exponent stays a run-time value: pow(a, 2) is not always a * a.
        if (!IsWholeNumber(b) && a < 0)
            return {0, 1};
        return finiteStep(std::pow(a, b), 0);
    case TokenKind::Plus:
        return finiteStep(a + b, 0);
    case TokenKind::Minus:
        return finiteStep(a - b, 0);
    case TokenKind::Star:
        return finiteStep(a * b, 0);
    case TokenKind::Slash:
        return finiteStep(a / b, 0); // no test of b: 1/0 is an infinity, and so a domain error
    default:
        return {0, 0};
    }
}

// The sign after "(": -b.
inline StepValue applySign(double b) {
    return finiteStep(-b, 0);
}

// A function step; for rad, index is the root index.
StepValue applyFunctionStep(TokenKind k, double a, double index);

// True when v is an even whole number (floor(v / 2) * 2 == v).
bool IsEven(double v);

} // namespace curvalia::engine
