// Number to text, and the value that text reads back to: the writing half
// of engine/NumberText.h (NumberReading.cpp holds the reading half).
#include "engine/NumberText.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace curvalia::engine {

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::uint64_t kLow15 = 100000000000000ULL;   // 10^14: smallest 15-digit number
constexpr std::uint64_t kHigh15 = 1000000000000000ULL; // 10^15

// A positive value rounded to 15 significant digits:
// digits * 10^(exponent - 14), digits in [10^14, 10^15).
struct Decimal15 {
    std::uint64_t digits;
    int exponent;
};

constexpr auto kPow10Int = [] {
    std::array<std::uint64_t, 20> p{1};
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// For a value in the quick range, by its biased binary exponent: the scale
// 10^k that brings it to 15 digits when it lies in the lower of the two
// decades its binade can touch, and the scale for the upper one.
struct QuickScale {
    double lower;
    double upper;
};
constexpr int kQuickLowBiased = 1023 - 17;  // 2^-17 < 1e-5
constexpr int kQuickHighBiased = 1023 + 49; // 2^50 > 1e15
constexpr auto kQuickScales = [] {
    std::array<QuickScale, kQuickHighBiased - kQuickLowBiased + 1> scales{};
    for (int b = kQuickLowBiased; b <= kQuickHighBiased; ++b) {
        const int e = ((b - 1023) * 78913) >> 18; // floor(log10(2^(b-1023)))
        scales[b - kQuickLowBiased] = {kExactPow10[14 - e], kExactPow10[e < 13 ? 13 - e : 0]};
    }
    return scales;
}();

// The quick rounding of 1e-5 < a < 1e15 to 15 significant digits: y is
// a * 10^k within half an ulp (k = 14 - exponent), and unless that leaves
// the rounding of the exact product in doubt (a fraction near one half) or
// y lies near the ends of the 15-digit range, the nearest whole number is
// the rounded digits. Both are below 2^50, so y + 2^52 is rounded to a whole
// number, and exact ties never get here. False: the exact way must decide.
struct QuickDigits {
    double digits; // a whole number in [10^14, 10^15)
    double scale;  // 10^k
    int exponent;
};
[[gnu::always_inline]] inline bool quickDigits(double a, QuickDigits& out) {
    const auto biased = static_cast<int>(std::bit_cast<std::uint64_t>(a) >> 52);
    const QuickScale& scale = kQuickScales[biased - kQuickLowBiased];
    const double lowerDigits = a * scale.lower;
    const bool upperDecade = lowerDigits >= 1e15;
    const double y = upperDecade ? a * scale.upper : lowerDigits;
    if (!(y >= 1e14 + 1 && y < 1e15 - 1))
        return false;
    constexpr double kTwo52 = 4503599627370496.0;
    const double digits = (y + kTwo52) - kTwo52;
    const double halfUlp =
        std::bit_cast<double>(((std::bit_cast<std::uint64_t>(y) >> 52) - 53) << 52);
    if (!(std::fabs(std::fabs(y - digits) - 0.5) > halfUlp))
        return false;
    const int e = (((biased - 1023) * 78913) >> 18) + (upperDecade ? 1 : 0);
    out = {digits, upperDecade ? scale.upper : scale.lower, e};
    return true;
}

// The fast way, for 1E-05 < a < 1E+15, where most values of a plot lie:
// a is m * 2^-s exactly, so a * 10^k is the integer product m * 10^k shifted
// right by s, and the bits shifted out decide the rounding exactly. Gives up
// (false) outside that range and on an exact tie, where the exact way
// settles which way to round.
[[gnu::always_inline]] inline bool roundFast(double a, Decimal15& out) {
    if (!(a > 1e-5 && a < 1e15))
        return false;
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int shift = 1075 - biased; // a = mantissa * 2^-shift, shift in 3..70 here
    if (QuickDigits q; quickDigits(a, q)) {
        out = {static_cast<std::uint64_t>(q.digits), q.exponent};
        return true;
    }
    // floor(log10(a)) is floor(log10(2^p)) or one more; the digit count of
    // the product settles which.
    int e = ((biased - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 14 - e;
        if (k < 0 || k > 19)
            return false;
        const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * kPow10Int[k];
        const unsigned __int128 whole = product >> shift;
        if (whole < kLow15) {
            --e;
            continue;
        }
        if (whole >= kHigh15) {
            ++e;
            continue;
        }
        const unsigned __int128 rest = product & ((static_cast<unsigned __int128>(1) << shift) - 1);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest == half)
            return false;
        std::uint64_t digits = static_cast<std::uint64_t>(whole) + (rest > half ? 1 : 0);
        if (digits >= kHigh15) {
            digits /= 10;
            ++e;
        }
        out = {digits, e};
        return true;
    }
    return false;
}

// The exact way, for everything roundFast declines.
[[gnu::noinline]] Decimal15 roundExact(double a) {
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    // d.dddddddddddddde+XX
    std::uint64_t digits = 0;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    int exponent = 0;
    if (p < res.ptr)
        std::from_chars(p[1] == '+' ? p + 2 : p + 1, res.ptr, exponent);
    return {digits, exponent};
}

// The double nearest to digits * 10^(exponent - 14). Both factors are exact
// when the power is small, and then one correctly rounded operation gives
// the same double as parsing the text.
[[gnu::always_inline]] inline double decimalValue(std::uint64_t digits, int exponent) {
    const int k = 14 - exponent;
    if (k >= 0 && k <= 22)
        return static_cast<double>(digits) / kExactPow10[k];
    if (k < 0 && k >= -22)
        return static_cast<double>(digits) * kExactPow10[-k];
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf - 8, digits);
    *res.ptr++ = 'e';
    res = std::to_chars(res.ptr, buf + sizeof buf, exponent - 14);
    return textToNumber(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Exactly eight digits of v < 10^8, leading zeros included; the four pairs
// come from independent divisions rather than one long chain.
void writeEight(std::uint32_t v, char* out) {
    const std::uint32_t high = v / 10000;
    const std::uint32_t low = v % 10000;
    std::memcpy(out, kDigitPairs + 2 * (high / 100), 2);
    std::memcpy(out + 2, kDigitPairs + 2 * (high % 100), 2);
    std::memcpy(out + 4, kDigitPairs + 2 * (low / 100), 2);
    std::memcpy(out + 6, kDigitPairs + 2 * (low % 100), 2);
}

// Sixteen digits of v < 10^16, leading zeros included.
void writeSixteen(std::uint64_t v, char* out) {
    writeEight(static_cast<std::uint32_t>(v / 100000000), out);
    writeEight(static_cast<std::uint32_t>(v % 100000000), out + 8);
}

// The decimal digits of v < 10^16, without leading zeros.
int writeDigits(std::uint64_t v, char* out) {
    int n = 1;
    while (n < 16 && v >= kPow10Int[n])
        ++n;
    char buf[16];
    writeSixteen(v, buf);
    std::memcpy(out, buf + 16 - n, static_cast<std::size_t>(n));
    return n;
}

// Lays out 15 rounded digits: plain between 1E-04 and 1E+15, else with an
// exponent part of at least two digits.
int layout(bool negative, const Decimal15& d, char* out) {
    char sixteen[16];
    writeSixteen(d.digits, sixteen);
    const char* digits = sixteen + 1;
    int count = 15;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    int n = 0;
    out[n++] = negative ? '-' : ' ';
    const int e = d.exponent;
    const bool plain = e >= -4 && e <= 14;
    if (plain && e < 0) {
        out[n++] = '.';
        for (int i = 0; i < -e - 1; ++i)
            out[n++] = '0';
        for (int i = 0; i < count; ++i)
            out[n++] = digits[i];
        return n;
    }
    // The whole part, padded with zeros, then the fraction if any; the
    // exponent form has one digit before the point.
    const int whole = plain ? e + 1 : 1;
    for (int i = 0; i < whole; ++i)
        out[n++] = i < count ? digits[i] : '0';
    if (count > whole) {
        out[n++] = '.';
        for (int i = whole; i < count; ++i)
            out[n++] = digits[i];
    }
    if (plain)
        return n;
    out[n++] = 'E';
    out[n++] = e < 0 ? '-' : '+';
    const int magnitude = e < 0 ? -e : e;
    if (magnitude < 10)
        out[n++] = '0';
    n += writeDigits(static_cast<std::uint64_t>(magnitude), out + n);
    return n;
}

bool isSmallWhole(double a) {
    return a < 1e15 && static_cast<double>(static_cast<std::uint64_t>(a)) == a;
}

[[gnu::always_inline]] inline Decimal15 round15(double a) {
    Decimal15 d;
    if (!roundFast(a, d))
        d = roundExact(a);
    return d;
}

} // namespace

int formatNumberText(double v, char* out) {
    if (std::isnan(v)) {
        out[0] = ' ';
        out[1] = '0';
        return 2;
    }
    if (std::isinf(v))
        return formatNumberText(
            v < 0 ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max(), out);
    const bool negative = v < 0;
    const double a = std::fabs(v);
    if (isSmallWhole(a)) {
        // Whole numbers below 10^15 are exact in 15 digits.
        out[0] = negative ? '-' : ' ';
        return 1 + writeDigits(static_cast<std::uint64_t>(a), out + 1);
    }
    return layout(negative, round15(a), out);
}

namespace {

// Everything the quick way below leaves: NaN, infinities, zero, whole
// numbers, the exponent forms, and values whose rounding is close to a tie.
[[gnu::noinline]] double numberTextValueSlow(double v) {
    if (std::isnan(v))
        return 0;
    if (std::isinf(v))
        return v;
    const double a = std::fabs(v);
    if (isSmallWhole(a))
        return v == 0 ? 0.0 : v;
    const Decimal15 d = round15(a);
    const double magnitude = decimalValue(d.digits, d.exponent);
    return v < 0 ? -magnitude : magnitude;
}

} // namespace

// Every intermediate result of a sample goes through here, and one result
// feeds the next, so the common case (a plain-form value that is not whole)
// is kept to a short chain: the quick digits, then one exact division.
double numberTextValue(double v) {
    const double a = std::fabs(v);
    if (a > 1e-5 && a < 1e15) {
        if (static_cast<double>(static_cast<std::int64_t>(a)) == a)
            return v; // whole, and exact in 15 digits
        if (QuickDigits q; quickDigits(a, q)) {
            const double magnitude = q.digits / q.scale;
            return v < 0 ? -magnitude : magnitude;
        }
    }
    return numberTextValueSlow(v);
}

int formatNumberText(double v, char* out, double& readBack) {
    readBack = numberTextValue(v);
    return formatNumberText(v, out);
}

std::string numberText(double v) {
    char buf[kNumberTextCapacity];
    const int n = formatNumberText(v, buf);
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string plainNumberText(double v, int significantDigits) {
    char buf[64];
    const auto written = significantDigits == kShortestText
                             ? std::to_chars(buf, buf + sizeof buf, v)
                             : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general,
                                             significantDigits);
    return std::string(buf, written.ptr);
}

} // namespace curvalia::engine
