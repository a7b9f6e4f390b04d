// Breaking Chars into Tokens.
#include "engine/Engine.h"

#include <array>
#include <charconv>
#include <cstring>

namespace curvalia::engine {

namespace {

bool isDigit(const TextCell& c) {
    return c.len == 1 && c.text[0] >= '0' && c.text[0] <= '9';
}

// Powers of ten as doubles, correctly rounded, from 10^-150 to 10^150: a run
// of digits is at most 150 long.
constexpr int kMaxPower = Engine::kMaxExpressionLength;
const double* powersOfTen() {
    static const auto table = [] {
        std::array<double, 2 * kMaxPower + 1> t{};
        for (int e = -kMaxPower; e <= kMaxPower; ++e) {
            char buf[8] = {'1', 'e'};
            const auto res = std::to_chars(buf + 2, buf + sizeof buf, e);
            std::from_chars(buf, res.ptr, t[e + kMaxPower]);
        }
        return t;
    }();
    return table.data() + kMaxPower;
}

// The function names, and what the tokenizer reads as each: the letters of
// the name, except that cos needs only "co" ("cot" reads as "cos") and rad
// needs its "(" index ")(", the index one element whatever it holds ('?').
// A name always takes as many elements as it has letters.
struct NamedKind {
    std::string_view name;
    TokenKind kind;
    std::string_view pattern;
};

constexpr NamedKind kFunctionNames[] = {
    {"sin", TokenKind::Sin, "sin"},    {"cos", TokenKind::Cos, "co"},
    {"tg", TokenKind::Tg, "tg"},       {"asin", TokenKind::Asin, "asin"},
    {"acos", TokenKind::Acos, "acos"}, {"atg", TokenKind::Atg, "atg"},
    {"abs", TokenKind::Abs, "abs"},    {"lge", TokenKind::Lge, "lge"},
    {"lgn", TokenKind::Lgn, "lgn"},    {"rad", TokenKind::Rad, "rad(?)("},
};

} // namespace

// The value of the digits and points Chars[first..last], summed digit by
// digit with powers of ten as doubles. The fraction is taken from the last
// digits of the run, which is right for one point; with several points the
// later ones count as 0 and digits between drop out ("1.2.3" reads as 1.03).
// That is how typed numbers have always been read, so it is kept.
double Engine::ReadNumber(int first, int last) const {
    const double* pow10 = powersOfTen();
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
        value += digit(j) * pow10[e - 1];
        --e;
    }
    if (fracDigits > 0) {
        e = fracDigits;
        for (int j = last; j >= last - fracDigits + 1; --j) {
            value += digit(j) * pow10[-e];
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
    auto matchesAt = [&](std::string_view pattern) {
        for (std::size_t j = 0; j < pattern.size(); ++j)
            if (pattern[j] != '?' && !charIs(i + static_cast<int>(j), pattern[j]))
                return false;
        return true;
    };
    while (i < n) {
        const TextCell& c = charAt(i);
        if (isDigit(c)) {
            const int first = i;
            while (isDigit(charAt(i)) || charIs(i, '.'))
                ++i;
            Tokens.setNumber(k++, ReadNumber(first, i - 1));
            continue;
        }
        // The first letter of a name starts that name, or is dropped when
        // the letters after it spell none.
        if (c.len == 1 && c.text[0] >= 'a' && c.text[0] <= 't') {
            bool startsName = false;
            const NamedKind* found = nullptr;
            for (const NamedKind& f : kFunctionNames) {
                startsName = startsName || f.name[0] == c.text[0];
                if (f.name[0] == c.text[0] && matchesAt(f.pattern)) {
                    found = &f;
                    break;
                }
            }
            if (found) {
                Tokens.setText(k++, found->name, found->kind);
                i += static_cast<int>(found->name.size());
                continue;
            }
            if (startsName) {
                ++i;
                continue;
            }
        }
        Tokens.set(k++, c);
        ++i;
    }
    // Nothing of a longer list may stay behind the new one.
    Tokens.truncate(k);
    FoldParentheses();
}

// The kinds of whole texts.
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
