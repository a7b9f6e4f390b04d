#include "plot/RangeNote.h"

#include "engine/NumberText.h"
#include "plot/PlotMessages.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace curvalia::plot {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view t) {
    while (!t.empty() && isBlank(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back()))
        t.remove_suffix(1);
    return t;
}

// A whole-number text in the given digits ("&h1F", "&o17").
bool isRadixWhole(std::string_view digits, std::string_view allowed) {
    return !digits.empty() && std::all_of(digits.begin(), digits.end(), [&](char c) {
        return allowed.find(c) != std::string_view::npos;
    });
}

// The text is one number and nothing else: sign, digits with at most one
// ".", an exponent, or the "&H" and "&O" whole numbers.
bool isWholeNumberText(std::string_view t) {
    if (t.size() > 2 && t[0] == '&') {
        const char radix = t[1];
        if (radix == 'h' || radix == 'H')
            return isRadixWhole(t.substr(2), "0123456789abcdefABCDEF");
        if (radix == 'o' || radix == 'O')
            return isRadixWhole(t.substr(2), "01234567");
        return false;
    }
    std::size_t i = t.size() > 0 && (t[0] == '+' || t[0] == '-') ? 1 : 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < t.size() && isDigit(t[i]))
            ++i;
        return i - start;
    };
    std::size_t mantissa = digits();
    if (i < t.size() && t[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == t.size();
}

// Whether the conversion finds a number at the start of t at all.
bool beginsWithNumber(std::string_view t) {
    if (!t.empty() && t[0] == '&')
        return true; // "&H" and "&O": read as numbers, whatever follows
    std::size_t i = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    if (i < t.size() && t[i] == '.')
        ++i;
    return i < t.size() && isDigit(t[i]);
}

// +0.0 turns -0 into 0: a note never says "-0".
std::string shown(double v) {
    return engine::plainNumberText(v + 0.0, 15);
}

struct FieldReading {
    const char* name;
    bool floors;
    std::string_view text;

    double read() const { return engine::textToNumber(text); }
    double used() const { return floors ? std::floor(read()) + 0.0 : read(); }
    bool typedAsNumber() const { return isWholeNumberText(trimmed(text)); }
    // Read as typed, but floored to a different whole number.
    bool onlyFloored() const {
        return typedAsNumber() && std::isfinite(read()) && used() != read();
    }

    // The line for a field that is not read as typed; empty when it is, or
    // when it is only floored (the caller words that per axis).
    std::string problem() const {
        const std::string_view t = trimmed(text);
        const std::string who = name;
        if (!std::isfinite(read()))
            return who + ": numero troppo grande";
        if (typedAsNumber())
            return {};
        if (t.empty())
            return who + " vale 0: campo vuoto";
        if (t.find(',') != std::string_view::npos) {
            std::string pointed(t);
            std::replace(pointed.begin(), pointed.end(), ',', '.');
            if (isWholeNumberText(pointed))
                return who + ' ' + shown(used()) + msg::kDecimalCommaHint;
        }
        if (!beginsWithNumber(t))
            return who + " vale 0: non \xC3\xA8 un numero";
        return who + " letto come " + shown(used());
    }
};

void addLine(std::string& note, const std::string& line) {
    if (line.empty())
        return;
    if (!note.empty())
        note += '\n';
    note += line;
}

// Both ends of an axis floored say so together; one end on its own.
void noteAxis(std::string& note, const char* axis, const FieldReading& lo, const FieldReading& hi) {
    if (lo.onlyFloored() && hi.onlyFloored()) {
        addLine(note, std::string(axis) + " da " + shown(lo.used()) + " a " + shown(hi.used()) +
                          " (arrotondati all'intero inferiore)");
        return;
    }
    for (const FieldReading* end : {&lo, &hi}) {
        if (end->onlyFloored())
            addLine(note, std::string(end->name) + " vale " + shown(end->used()) +
                              " (arrotondato all'intero inferiore)");
        else
            addLine(note, end->problem());
    }
}

} // namespace

std::string rangeNote(const RangeTexts& texts) {
    std::string note;
    noteAxis(note, "X", {"X min", true, texts.xmin}, {"X max", true, texts.xmax});
    noteAxis(note, "Y", {"Y min", true, texts.ymin}, {"Y max", true, texts.ymax});
    addLine(note, FieldReading{"Step", false, texts.step}.problem());
    return note;
}

} // namespace curvalia::plot
