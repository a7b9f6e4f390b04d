#include "engine/ForeignCharacter.h"

#include "engine/Engine.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace curvalia::engine {

namespace {

bool inLanguage(std::uint32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '.' || c == '+' || c == '-' ||
           c == '*' || c == '/' || c == '^' || c == '(' || c == ')' || c == '&';
}

// What shows nothing of its own: in the status line a combining mark would
// sit on the character before it (the space after "..."), and a control,
// format character, filler or space other than the blank would show as
// nothing, or as a gap that looks like the blank the checker refuses.
enum class Unseen : std::uint8_t { Mark, Blank };
struct UnseenRange {
    std::uint32_t first, last;
    Unseen kind;
};
constexpr Unseen Mark = Unseen::Mark;
constexpr Unseen Blank = Unseen::Blank;
constexpr UnseenRange kUnseen[] = {
#include "engine/InvisibleTable.inc"
};

const UnseenRange* unseen(std::uint32_t c) {
    const auto* after =
        std::upper_bound(std::begin(kUnseen), std::end(kUnseen), c,
                         [](std::uint32_t v, const UnseenRange& r) { return v < r.first; });
    if (after == std::begin(kUnseen) || c > (after - 1)->last)
        return nullptr;
    return after - 1;
}

bool invisible(std::uint32_t c) {
    return unseen(c) != nullptr;
}

// What to type instead, for the characters an Italian keyboard or a pasted
// formula brings most often.
const char* hintFor(std::uint32_t c) {
    switch (c) {
    case 0x03C0: // π
        return " (usare p)";
    case 0x00B2: // ²
        return " (usare ^2)";
    case 0x00B3: // ³
        return " (usare ^3)";
    default:
        return "";
    }
}

} // namespace

std::string foreignCharacterMessage(std::string_view text) {
    std::size_t pos = 0;
    for (int count = 0; pos < text.size() && count < Engine::kMaxExpressionLength; ++count) {
        const utf8::CodePoint cp = utf8::decode(text, pos);
        const std::string_view typed = text.substr(pos, cp.length);
        pos += cp.length;
        if (cp.valid && inLanguage(cp.value))
            continue;
        if (cp.value == ',')
            return msg::kDecimalComma;
        std::string message = msg::kUnknownWordPrefix;
        // A broken byte is no character at all; it is named as what the
        // loader reads it as.
        if (!cp.valid || invisible(cp.value)) {
            char code[12];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp.value));
            message += code;
        } else {
            message += typed;
        }
        return message + hintFor(cp.value);
    }
    return {};
}

bool showsNothing(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const utf8::CodePoint cp = utf8::decode(text, pos);
        pos += cp.length;
        if (!cp.valid)
            return false;
        // A mark shows, on the field's edge or the blank before it.
        const UnseenRange* range = unseen(cp.value);
        if (cp.value != ' ' && (range == nullptr || range->kind == Unseen::Mark))
            return false;
    }
    return true;
}

} // namespace curvalia::engine
