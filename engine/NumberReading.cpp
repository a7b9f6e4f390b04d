// Text to number: the reading half of engine/NumberText.h.
#include "engine/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>

namespace curvalia::engine {

namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

double readRadixWhole(std::string_view text, std::size_t i, int radix) {
    double value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isSkipped(c))
            continue;
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        if (digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

} // namespace

double textToNumber(std::string_view text) {
    auto skip = [&](std::size_t& k) {
        while (k < text.size() && isSkipped(text[k]))
            ++k;
    };
    std::size_t i = 0;
    skip(i);
    if (i < text.size() && text[i] == '&') {
        ++i;
        skip(i);
        if (i < text.size() && (text[i] == 'H' || text[i] == 'h'))
            return readRadixWhole(text, i + 1, 16);
        if (i < text.size() && (text[i] == 'O' || text[i] == 'o'))
            return readRadixWhole(text, i + 1, 8);
        return 0;
    }

    // Gather the number without the skipped characters into a compact
    // buffer that std::from_chars accepts.
    char stackBuffer[256];
    std::unique_ptr<char[]> heapBuffer;
    char* buf = stackBuffer;
    if (text.size() + 8 > sizeof stackBuffer) {
        heapBuffer = std::make_unique<char[]>(text.size() + 8);
        buf = heapBuffer.get();
    }
    std::size_t n = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    buf[n++] = '0'; // so that ".5" and "5." both have a digit before the point
    int mantissaDigits = 0;
    int magnitude = 0; // decimal position of the first non-zero digit
    bool nonZeroSeen = false;
    bool pointSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isSkipped(c))
            continue;
        if (c >= '0' && c <= '9') {
            buf[n++] = c;
            ++mantissaDigits;
            if (!nonZeroSeen && c != '0')
                nonZeroSeen = true;
            if (!pointSeen && nonZeroSeen)
                ++magnitude;
            else if (pointSeen && !nonZeroSeen)
                --magnitude;
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
            buf[n++] = '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        skip(j);
        bool exponentNegative = false;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) {
            exponentNegative = text[j] == '-';
            ++j;
        }
        std::size_t m = n;
        buf[m++] = 'e';
        if (exponentNegative)
            buf[m++] = '-';
        int exponentDigits = 0;
        for (; j < text.size(); ++j) {
            const char c = text[j];
            if (isSkipped(c))
                continue;
            if (c < '0' || c > '9')
                break;
            buf[m++] = c;
            ++exponentDigits;
            if (exponent < 100000)
                exponent = exponent * 10 + (c - '0');
        }
        if (exponentDigits > 0) {
            n = m;
            if (exponentNegative)
                exponent = -exponent;
        } else {
            exponent = 0;
        }
    }
    // The buffer starts with a digit, so the only failure is a value out of range.
    double value = 0;
    const auto res = std::from_chars(buf, buf + n, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        const bool overflow = nonZeroSeen && magnitude + exponent > 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

bool readsAsWholeNumber(std::string_view text) {
    // The same grammar as textToNumber, walked without converting.
    std::size_t i = 0;
    const auto skip = [&] {
        while (i < text.size() && isSkipped(text[i]))
            ++i;
    };
    const auto digits = [&](auto isDigit) {
        int count = 0;
        for (skip(); i < text.size() && isDigit(text[i]); skip())
            ++i, ++count;
        return count;
    };
    const auto decimal = [](char c) { return c >= '0' && c <= '9'; };
    skip();
    if (i == text.size())
        return true;
    if (text[i] == '&') {
        ++i;
        skip();
        if (i == text.size())
            return false;
        const char radix = text[i++];
        int count = 0;
        if (radix == 'H' || radix == 'h')
            count = digits([](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            });
        else if (radix == 'O' || radix == 'o')
            count = digits([](char c) { return c >= '0' && c <= '7'; });
        return count > 0 && i == text.size();
    }
    if (text[i] == '-' || text[i] == '+')
        ++i;
    int mantissa = digits(decimal);
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits(decimal);
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        skip();
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (digits(decimal) == 0)
            return false;
    }
    return i == text.size();
}

double roundToSignificantDigits(double v, int digits) {
    if (!std::isfinite(v))
        return v;
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    double rounded = v;
    std::from_chars(buf, written.ptr, rounded, std::chars_format::scientific);
    return rounded;
}

} // namespace curvalia::engine
