// Numbers travel through the engine as text. These two conversions are the
// only way a double becomes text and text becomes a double inside the engine,
// and they never depend on the process locale.
#pragma once

#include <string>
#include <string_view>

namespace curvalia::engine {

// Longest number text: sign, 15 digits, point, "E+308" and spare room.
inline constexpr int kNumberTextCapacity = 32;

// Writes the number text of v into out (no terminating NUL) and returns its
// length: a blank for v >= 0 or "-" for v < 0, at most 15 significant digits,
// "." as decimal point, no zero before the point below 1 (" .5"), and an
// exponent part ("E+20", "E-05") when plain digits cannot hold the value.
// v must be finite.
int formatNumberText(double v, char* out);
std::string numberText(double v);

// The text-to-number conversion: blanks, tabs and line feeds are skipped
// anywhere; optional sign, digits, one ".", optional exponent ("E"/"e",
// sign, digits); stops at the first character that does not fit; "&H"/"&O"
// read a hexadecimal/octal whole number; 0 when the text does not begin with
// a number. "." is always the decimal point.
double textToNumber(std::string_view text);

} // namespace curvalia::engine
