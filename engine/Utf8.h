// Walking UTF-8 text one code point at a time. A byte that does not start a
// well-formed sequence counts as one character of its own and reads as
// U+FFFD, so that every input, however broken, is cut the same safe way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace curvalia::engine::utf8 {

inline constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct CodePoint {
    std::uint32_t value;
    std::size_t length; // bytes taken from the text
    bool valid;
};

inline CodePoint decode(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80)
        return {b0, 1, true};
    auto continuation = [&](std::size_t k, unsigned char lo, unsigned char hi) {
        return k < s.size() && byte(k) >= lo && byte(k) <= hi;
    };
    if (b0 >= 0xC2 && b0 <= 0xDF && continuation(i + 1, 0x80, 0xBF))
        return {(b0 & 0x1Fu) << 6 | (byte(i + 1) & 0x3Fu), 2, true};
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        if (continuation(i + 1, lo, hi) && continuation(i + 2, 0x80, 0xBF))
            return {(b0 & 0x0Fu) << 12 | (byte(i + 1) & 0x3Fu) << 6 | (byte(i + 2) & 0x3Fu), 3,
                    true};
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        if (continuation(i + 1, lo, hi) && continuation(i + 2, 0x80, 0xBF) &&
            continuation(i + 3, 0x80, 0xBF))
            return {(b0 & 0x07u) << 18 | (byte(i + 1) & 0x3Fu) << 12 | (byte(i + 2) & 0x3Fu) << 6 |
                        (byte(i + 3) & 0x3Fu),
                    4, true};
    }
    return {0xFFFD, 1, false};
}

// Writes the UTF-8 form of cp into out (room for 4 bytes), returns its length.
inline int encode(std::uint32_t cp, char* out) {
    if (cp < 0x80) {
        out[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<char>(0xC0 | (cp >> 6));
        out[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (cp >> 12));
        out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}

} // namespace curvalia::engine::utf8
