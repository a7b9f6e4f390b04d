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

// True when v is an even whole number (floor(v / 2) * 2 == v).
bool IsEven(double v);

} // namespace curvalia::engine
