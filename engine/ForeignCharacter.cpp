#include "engine/ForeignCharacter.h"

#include "engine/Engine.h"
#include "engine/Utf8.h"

#include <cstdint>
#include <cstdio>

namespace curvalia::engine {

namespace {

bool inLanguage(std::uint32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '.' || c == '+' || c == '-' ||
           c == '*' || c == '/' || c == '^' || c == '(' || c == ')' || c == '&';
}

// Controls, format characters (soft hyphen, zero-width and direction marks,
// the byte-order mark, tags), separators and every space but the blank: in
// the status line they would show as nothing, or as a gap that looks like
// the blank the checker already refuses.
bool invisible(std::uint32_t c) {
    struct Range {
        std::uint32_t first, last;
    };
    static constexpr Range kRanges[] = {
        {0x0000, 0x001F}, {0x007F, 0x00A0},  {0x00AD, 0x00AD}, {0x034F, 0x034F}, {0x061C, 0x061C},
        {0x1680, 0x1680}, {0x180B, 0x180E},  {0x2000, 0x200F}, {0x2028, 0x202F}, {0x205F, 0x206F},
        {0x3000, 0x3000}, {0x3164, 0x3164},  {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xFFA0, 0xFFA0},
        {0xFFF9, 0xFFFB}, {0xE0000, 0xE0FFF}};
    for (const Range& r : kRanges)
        if (c >= r.first && c <= r.last)
            return true;
    return false;
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

} // namespace curvalia::engine
