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
    static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    const int n = cp < 0x800 ? 2 : (cp < 0x10000 ? 3 : 4);
    for (int k = n - 1; k > 0; --k, cp >>= 6)
        out[k] = static_cast<char>(0x80 | (cp & 0x3F));
    out[0] = static_cast<char>(kLead[n] | cp);
    return n;
}

} // namespace curvalia::engine::utf8
