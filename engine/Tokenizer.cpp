// Breaking Chars into Tokens.
#include "engine/Engine.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace curvalia::engine {

namespace {

bool isDigit(const TextCell& c) {
    return c.len == 1 && c.text[0] >= '0' && c.text[0] <= '9';
}

// Powers of ten as doubles; a run of digits is at most 150 long.
struct PowersOfTen {
    static constexpr int kMax = 160;
    double table[2 * kMax + 1];
    PowersOfTen() {
        for (int e = -kMax; e <= kMax; ++e) {
            char buf[8];
            buf[0] = '1';
            buf[1] = 'e';
            const auto res = std::to_chars(buf + 2, buf + sizeof buf, e);
            double v = 0;
            std::from_chars(buf, res.ptr, v);
            table[e + kMax] = v;
        }
    }
    double operator()(int e) const {
        return e >= -kMax && e <= kMax ? table[e + kMax] : std::pow(10.0, e);
    }
};

const PowersOfTen& powersOfTen() {
    static const PowersOfTen powers;
    return powers;
}

} // namespace

// The value of the digits and points Chars[first..last], summed digit by
// digit with powers of ten as doubles. The fraction is taken from the last
// digits of the run, which is right for one point; with several points the
// later ones count as 0 and digits between drop out ("1.2.3" reads as 1.03).
// That is how typed numbers have always been read, so it is kept.
double Engine::ReadNumber(int first, int last) const {
    const PowersOfTen& pow10 = powersOfTen();
    int intDigits = 0;
    int fracDigits = 0;
    bool pointSeen = false;
    for (int j = first; j <= last; ++j) {
        if (charIs(j, '.'))
            pointSeen = true;
        else if (!pointSeen)
            ++intDigits;
        else
            ++fracDigits;
    }
    auto digit = [&](int j) {
        const TextCell& c = charAt(j);
        return isDigit(c) ? static_cast<double>(c.text[0] - '0') : 0.0;
    };
    double value = 0;
    int e = intDigits;
    for (int j = first; j <= first + intDigits - 1; ++j) {
        value += digit(j) * pow10(e - 1);
        --e;
    }
    if (fracDigits > 0) {
        e = fracDigits;
        for (int j = last; j >= last - fracDigits + 1; --j) {
            value += digit(j) * pow10(-e);
            --e;
        }
    }
    return value;
}

void Engine::Tokenize() {
    const int n =
        ItemCount < 0 ? 0 : (ItemCount > kMaxExpressionLength ? kMaxExpressionLength : ItemCount);
    int k = 0;
    int i = 0;
    auto copyChar = [&](const TextCell& c) { Tokens.set(k++, c); };
    auto name = [&](TokenKind kind) { Tokens.setText(k++, functionName(kind), kind); };
    while (i < n) {
        const TextCell& c = charAt(i);
        if (c.len == 1) {
            switch (c.text[0]) {
            case 'x':
            case '+':
            case '-':
            case '*':
            case '/':
            case '^':
            case ')':
            case '(':
                copyChar(c);
                ++i;
                continue;
            case '0':
            case '1':
            case '2':
            case '3':
            case '4':
            case '5':
            case '6':
            case '7':
            case '8':
            case '9': {
                const int first = i;
                while (isDigit(charAt(i)) || charIs(i, '.'))
                    ++i;
                Tokens.setNumber(k++, ReadNumber(first, i - 1));
                continue;
            }
            case 'r':
                // The root index is one element, whatever it holds.
                if (charIs(i + 1, 'a') && charIs(i + 2, 'd') && charIs(i + 3, '(') &&
                    charIs(i + 5, ')') && charIs(i + 6, '(')) {
                    name(TokenKind::Rad);
                    i += 3;
                } else {
                    ++i;
                }
                continue;
            case 'a':
                if (charIs(i + 1, 'c')) {
                    if (charIs(i + 2, 'o') && charIs(i + 3, 's')) {
                        name(TokenKind::Acos);
                        i += 4;
                    } else {
                        ++i;
                    }
                } else if (charIs(i + 1, 's')) {
                    if (charIs(i + 2, 'i') && charIs(i + 3, 'n')) {
                        name(TokenKind::Asin);
                        i += 4;
                    } else {
                        ++i;
                    }
                } else if (charIs(i + 1, 't') && charIs(i + 2, 'g')) {
                    name(TokenKind::Atg);
                    i += 3;
                } else if (charIs(i + 1, 'b') && charIs(i + 2, 's')) {
                    name(TokenKind::Abs);
                    i += 3;
                } else {
                    ++i;
                }
                continue;
            case 'l':
                if (charIs(i + 1, 'g') && charIs(i + 2, 'n')) {
                    name(TokenKind::Lgn);
                    i += 3;
                } else if (charIs(i + 1, 'g') && charIs(i + 2, 'e')) {
                    name(TokenKind::Lge);
                    i += 3;
                } else {
                    ++i;
                }
                continue;
            case 's':
                if (charIs(i + 1, 'i') && charIs(i + 2, 'n')) {
                    name(TokenKind::Sin);
                    i += 3;
                } else {
                    ++i;
                }
                continue;
            case 'c':
                // The third letter is not looked at: "cot" reads as "cos".
                if (charIs(i + 1, 'o')) {
                    name(TokenKind::Cos);
                    i += 3;
                } else {
                    ++i;
                }
                continue;
            case 't':
                if (charIs(i + 1, 'g')) {
                    name(TokenKind::Tg);
                    i += 2;
                } else {
                    ++i;
                }
                continue;
            default:
                break;
            }
        }
        copyChar(c);
        ++i;
    }
    // Nothing of a longer list may stay behind the new one.
    Tokens.truncate(k);
    FoldParentheses();
}

// The kinds of whole texts, and the names of the functions.
namespace {

struct NamedKind {
    std::string_view name;
    TokenKind kind;
};

constexpr NamedKind kFunctionNames[] = {
    {"sin", TokenKind::Sin},   {"cos", TokenKind::Cos},   {"tg", TokenKind::Tg},
    {"asin", TokenKind::Asin}, {"acos", TokenKind::Acos}, {"atg", TokenKind::Atg},
    {"abs", TokenKind::Abs},   {"lge", TokenKind::Lge},   {"lgn", TokenKind::Lgn},
    {"rad", TokenKind::Rad},
};

} // namespace

TokenKind classifyText(std::string_view text) {
    if (text.empty())
        return TokenKind::Empty;
    if (text.size() == 1)
        return classifyChar(text[0]);
    if (text.size() <= 4 && text[0] >= 'a' && text[0] <= 'z')
        for (const NamedKind& f : kFunctionNames)
            if (f.name == text)
                return f.kind;
    return TokenKind::Other;
}

std::string_view functionName(TokenKind k) {
    for (const NamedKind& f : kFunctionNames)
        if (f.kind == k)
            return f.name;
    return {};
}

// The token list.
TokenList::TokenList() {
    for (int i = 0; i < kSize; ++i)
        at_[i] = {static_cast<std::uint8_t>(i), '\0'};
    for (TokenKind& k : kinds_)
        k = TokenKind::Empty;
}

const TextCell& TokenList::emptyCell() {
    static const TextCell empty;
    return empty;
}

void TokenList::set(int i, const TextCell& c) {
    if (!inRange(i))
        return;
    cell(i) = c;
    written(i);
}

void TokenList::setText(int i, std::string_view text, TokenKind kind) {
    if (!inRange(i))
        return;
    cell(i).setText(text, kind);
    written(i);
}

void TokenList::setNumber(int i, double v) {
    if (!inRange(i))
        return;
    cell(i).setNumber(v);
    written(i);
}

void TokenList::copyText(int to, int from) {
    if (!inRange(to))
        return;
    if (inRange(from))
        cell(to) = cells_[at_[from].slot];
    else
        cell(to).clear();
    written(to);
}

void TokenList::remove(int first, int count) {
    if (first < 0 || count <= 0 || first >= used_)
        return;
    if (count > used_ - first)
        count = used_ - first;
    // The freed cells go to the end of the used part, emptied.
    Position freed[kSize];
    std::memcpy(freed, at_ + first, sizeof(Position) * static_cast<std::size_t>(count));
    for (int j = first; j + count < used_; ++j) {
        at_[j] = at_[j + count];
        kinds_[j] = kinds_[j + count];
    }
    for (int j = 0; j < count; ++j) {
        Position& p = at_[used_ - count + j];
        p = {freed[j].slot, '\0'};
        kinds_[used_ - count + j] = TokenKind::Empty;
        cells_[p.slot].clear();
    }
    used_ -= count;
}

void TokenList::truncate(int from) {
    if (from < 0)
        from = 0;
    for (int j = from; j < used_; ++j) {
        cells_[at_[j].slot].clear();
        at_[j].first = '\0';
        kinds_[j] = TokenKind::Empty;
    }
    if (from < used_)
        used_ = from;
}

} // namespace curvalia::engine
