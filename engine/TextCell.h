// One element of the character or token array: a short text held inline,
// what kind of token the text is, and the number it reads as.
//
// The evaluator compares token texts many times per step and reads every
// operand back as a number; keeping the kind and the number next to the text
// turns those into one-byte compares and a load, with no heap memory.
#pragma once

#include "engine/NumberText.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace curvalia::engine {

enum class TokenKind : std::uint8_t {
    Empty,
    Other, // numbers and any text without a role of its own
    Plus,
    Minus,
    Star,
    Slash,
    Caret,
    Open,
    Close,
    LetterE,
    LetterX,
    Sin,
    Cos,
    Tg,
    Asin,
    Acos,
    Atg,
    Abs,
    Lge,
    Lgn,
    Rad,
};

// The kind of a one-character text.
inline TokenKind classifyChar(char c) {
    switch (c) {
    case '+':
        return TokenKind::Plus;
    case '-':
        return TokenKind::Minus;
    case '*':
        return TokenKind::Star;
    case '/':
        return TokenKind::Slash;
    case '^':
        return TokenKind::Caret;
    case '(':
        return TokenKind::Open;
    case ')':
        return TokenKind::Close;
    case 'e':
        return TokenKind::LetterE;
    case 'x':
        return TokenKind::LetterX;
    default:
        return TokenKind::Other;
    }
}

// The kind of a whole text, compared exactly ("sin" is Sin, "sinh" is Other).
TokenKind classifyText(std::string_view text);

inline bool isOperatorKind(TokenKind k) {
    return k >= TokenKind::Plus && k <= TokenKind::Caret;
}

inline bool isFunctionKind(TokenKind k) {
    return k >= TokenKind::Sin && k <= TokenKind::Rad;
}

// A computed number keeps the double it came from and writes its text only
// when someone reads the text: most results are only ever read back as
// numbers, through value, which holds their 15-digit rounding from the start.
struct TextCell {
    static constexpr int kCapacity = kNumberTextCapacity;

    double value = 0;  // what textToNumber makes of the text, once known
    double source = 0; // while textPending: the number the text is of
    mutable std::uint8_t len = 0;
    TokenKind kind = TokenKind::Empty;
    // While a reduction schedule is being recorded: the register that holds
    // this cell's value in the schedule, or -1 for a value that does not
    // depend on x and has no register yet. Copies of the cell carry it along.
    std::int16_t reg = -1;
    bool valueKnown = true; // the empty text reads as 0
    mutable bool textPending = false;
    mutable char text[kCapacity] = {};

    std::string_view view() const {
        if (textPending) {
            len = static_cast<std::uint8_t>(formatNumberText(source, text));
            textPending = false;
        }
        return {text, len};
    }
    bool empty() const { return kind == TokenKind::Empty; }
    // A number text starts with its sign: "-" or a blank.
    char first() const {
        return textPending ? (source < 0 ? '-' : ' ') : (len != 0 ? text[0] : '\0');
    }
    // Never true for a number text, which is at least two characters long.
    bool isChar(char c) const { return !textPending && len == 1 && text[0] == c; }

    void clear() {
        len = 0;
        reg = -1;
        kind = TokenKind::Empty;
        value = 0;
        valueKnown = true;
        textPending = false;
    }

    // Texts longer than the capacity are cut; the engine itself never
    // writes one (number texts are at most 22 characters).
    void setText(std::string_view t, TokenKind k) {
        const std::size_t n = t.size() < kCapacity ? t.size() : kCapacity;
        std::memcpy(text, t.data(), n);
        len = static_cast<std::uint8_t>(n);
        kind = n == 0 ? TokenKind::Empty : k;
        valueKnown = n == 0;
        value = 0;
        textPending = false;
        reg = -1;
    }

    void setText(std::string_view t) { setText(t, classifyText(t.substr(0, kCapacity))); }

    void setChar(char c) {
        text[0] = c;
        len = 1;
        kind = classifyChar(c);
        valueKnown = false;
        value = 0;
        textPending = false;
        reg = -1;
    }

    void setNumber(double v) {
        value = numberTextValue(v);
        source = v;
        len = 0;
        kind = TokenKind::Other;
        valueKnown = true;
        textPending = true;
        reg = -1;
    }

    double number() {
        if (!valueKnown) {
            value = textToNumber(view());
            valueKnown = true;
        }
        return value;
    }
};

} // namespace curvalia::engine
