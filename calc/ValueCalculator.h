// The value calculator's computation: f(x), f'(x) and the angle of the
// tangent at one typed x, for the expression of the main window. No Qt here:
// the window injects how numbers become text (its locale) and where status
// messages go, so the whole computation can be tested without a display.
#pragma once

#include "engine/Engine.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace curvalia::calc {

// Turns a shown value into the text of an output field.
using NumberFormatter = std::function<std::string(double)>;
// Receives the calculator's own status messages (the engine's go to the
// engine's sink).
using StatusWriter = std::function<void(std::string_view)>;

// The status line as the calculator shares it with the draw command. The
// line remembers who wrote its text: the same words may be the draw's.
struct StatusShare {
    StatusWriter write;                 // a text of the calculator's own
    std::function<void()> claim;        // what the engine writes from now on is the calculator's
    std::function<bool()> showsOwnText; // whether the text shown now is the calculator's
    std::function<void()> release;      // the engine no longer writes for the calculator
};

inline constexpr const char* kUndefinedText = "Non definita!";
inline constexpr const char* kDecimalCommaMessage = engine::msg::kDecimalComma;
// For an x field that is neither a number nor a constant expression.
inline constexpr const char* kXWithXMessage = "Per x scrivere un numero o un'espressione senza x";
inline constexpr const char* kXUndefinedMessage = "Il valore scritto per x non è definito";

// The forward-difference step of the derivative.
inline constexpr double kDerivativeStep = 0.00001;

// The three output texts of one "Calcola". Every field is always rewritten,
// so no field can keep showing the value of an earlier x.
struct CalcFields {
    std::string VY;
    std::string DPrima;
    std::string Angolo;
    // The numbers behind VY and DPrima before they are floored for showing;
    // none where the field shows none.
    std::optional<double> value;
    std::optional<double> slope;
    // The x used, when the field held an expression rather than a number.
    std::optional<double> xFromExpression;
};

// The output text when no locale is involved (tests, a C locale): up to 15
// significant digits, "." as decimal point ("0.66666", "-1", "1e-05").
std::string plainNumberText(double v);

// floor(v * 10^decimals) / 10^decimals, with the product first rounded to 15
// significant digits, so that 0.29 stays 0.29 instead of dropping to 0.28999
// through the binary error of the multiplication. Returns v unchanged when the
// product is not finite.
double floorToDecimals(double v, int decimals);

class ValueCalculator {
  public:
    ValueCalculator(engine::Engine& engine, NumberFormatter format, StatusShare status);

    // One "Calcola" for the expression as typed and the text of the x field.
    // The expression is lower-cased and checked as the draw command checks
    // it; a refused one shows "Non definita!" and the checker's message.
    // A status text left by an earlier "Calcola" is emptied first, so no
    // warning outlives the input it was about; a text of the draw command's
    // stays, even when it says the same words.
    CalcFields calculate(std::string_view expression, std::string_view xText);

  private:
    CalcFields compute(std::string_view typed, std::string_view xText);
    // x as typed: a number the conversion reads whole (an empty field is
    // 0), a text with a comma read as the conversion reads it, else a
    // constant expression worked out by the engine. None, with the reason
    // in the status line, when it is none of these.
    std::optional<double> readX(std::string_view xText, bool& fromExpression);
    std::string shown(double v, int decimals) const;

    engine::Engine& engine_;
    NumberFormatter format_;
    StatusShare status_;
};

} // namespace curvalia::calc
