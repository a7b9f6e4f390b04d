// The ten named functions, with the tests each makes on its argument and the
// result that stands in when the argument is outside its domain.
#pragma once

#include "engine/TextCell.h"

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

// An operator step a op b, for "^", "*", "/", "+" and "-".
StepValue applyOperator(TokenKind op, double a, double b);
// The sign after "(": -b.
StepValue applySign(double b);
// A function step; for rad, index is the root index.
StepValue applyFunctionStep(TokenKind k, double a, double index);

// True when v is a whole number (floor(v) == v).
bool IsWholeNumber(double v);

// True when v is an even whole number (floor(v / 2) * 2 == v).
bool IsEven(double v);

} // namespace curvalia::engine
