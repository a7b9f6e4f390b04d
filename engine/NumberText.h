// Numbers travel through the engine as text. The conversions here are the
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
// exponent part ("E+20", "E-05") outside 1E-04 <= |v| < 1E+15.
// v should be finite. An infinity is written as the largest double, whose
// text reads back as that same infinity; NaN is written as " 0".
int formatNumberText(double v, char* out);

// The same, also giving the value the written text reads back to through
// textToNumber, so that callers can keep both without parsing again.
int formatNumberText(double v, char* out, double& readBack);

std::string numberText(double v);

// Number text for programs and people who read "." as the decimal point:
// with significantDigits (1..17), at most that many ("0.66666", "-1",
// "1e-05"), no blank before it and no trailing zeros; with kShortestText,
// the shortest text that reads back as v exactly. The sign of -0 is kept
// ("-0"), as it reads back; callers that show the text add 0.0 first.
inline constexpr int kShortestText = 0;
std::string plainNumberText(double v, int significantDigits);

// What the number text of v reads back to through textToNumber: v rounded
// to 15 significant digits, without writing the text.
double numberTextValue(double v);

// v rounded to digits significant digits (1..17) through decimal text, as a
// person would round it; v itself when it is not finite.
double roundToSignificantDigits(double v, int digits);

// The text-to-number conversion: blanks, tabs and line feeds are skipped
// anywhere; optional sign, digits, one ".", optional exponent ("E"/"e",
// sign, digits); stops at the first character that does not fit; "&H"/"&O"
// read a hexadecimal/octal whole number; 0 when the text does not begin with
// a number. "." is always the decimal point.
// A number too large for a double (such as "1e400") gives +/-infinity, so
// that callers reading user fields can refuse it; one too small gives 0.
double textToNumber(std::string_view text);

// Whether textToNumber reads the whole of text: nothing but blanks is left
// where the conversion stops (a text of blanks alone reads as 0).
bool readsAsWholeNumber(std::string_view text);

} // namespace curvalia::engine
