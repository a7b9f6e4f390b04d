// What to type instead, for the slips a student makes most: the names other
// programs and schoolbooks use (sen, tan, ln, sqrt, exp, ...), a product
// written without "*", a function without its parentheses, the bars of an
// absolute value and a leading minus. The message that refuses such a text
// says what is wrong in the language's own terms, which does not always
// point at the slip ("2x" fails for want of a step, which reads as a
// bracket fault); the hint names the slip and its remedy.
#pragma once

#include <string>
#include <string_view>

namespace curvalia::engine {

// The hint that follows message, written for text (lower-cased, as the
// commands pass it), as " (usare sin)" or " (scrivere 2*x)"; empty when the
// first cause of the message is none of the slips above. Only the first
// cause is named.
std::string messageHint(std::string_view text, std::string_view message);

} // namespace curvalia::engine
