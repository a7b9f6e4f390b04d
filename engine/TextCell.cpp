#include "engine/TextCell.h"

namespace curvalia::engine {

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

} // namespace curvalia::engine
