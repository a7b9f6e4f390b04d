// The one way a number is written for the user to read: the locale's
// decimal separator, never a group separator (a field or an axis shows
// "1234567,5", which reads back; "1.234.567,5" would not), and never a minus
// sign on a number that shows as zero ("-0", "-0,00" tell the user nothing
// true). Plain text that programs read back is engine::plainNumberText.
#pragma once

#include <QLocale>
#include <QString>

#include <cmath>

namespace curvalia::layout {

// How much of a number is written: at most count significant digits
// (trailing zeros dropped, an exponent where the number is too large or too
// small for them), or exactly count decimals.
class Digits {
  public:
    static constexpr Digits significant(int count) { return Digits(count, false); }
    static constexpr Digits decimals(int count) { return Digits(count, true); }

    constexpr int count() const { return count_; }
    constexpr bool fixedDecimals() const { return fixedDecimals_; }

  private:
    constexpr Digits(int count, bool fixedDecimals)
        : count_(count), fixedDecimals_(fixedDecimals) {}
    int count_;
    bool fixedDecimals_;
};

inline QString interfaceNumber(double v, Digits digits, const QLocale& locale = QLocale()) {
    QLocale plain = locale;
    if (plain.numberOptions() != QLocale::OmitGroupSeparator)
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const char format = digits.fixedDecimals() ? 'f' : 'g';
    const QString text = plain.toString(v, format, digits.count());
    if (!std::signbit(v))
        return text;
    // Decided on the text rather than on a threshold, so that it holds
    // exactly where the rounding of the written digits falls: a minus with
    // no digit but zeros after it goes. (The read-out writes numbers as the
    // pointer moves, so the text is looked at rather than written twice.)
    const QString minus = plain.negativeSign();
    if (!text.startsWith(minus))
        return text;
    for (qsizetype i = minus.size(); i < text.size(); ++i)
        if (text[i].isDigit() && text[i].digitValue() != 0)
            return text;
    return text.mid(minus.size());
}

} // namespace curvalia::layout
