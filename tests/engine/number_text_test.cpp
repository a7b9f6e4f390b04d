// Number texts both ways: the table of forms, the plain text, and the fast
// formatter against std::to_chars.
#include "engine/NumberText.h"

#include "support/table_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace curvalia::engine {
namespace {

using ::curvalia::testing::rows;

using Limits = std::numeric_limits<double>;
const double kInf = Limits::infinity();

TEST(NumberText, WritesTheDocumentedForms) {
    // Ties at the 16th digit round to even, as std::to_chars does; never infinity or NaN.
    using P = std::pair<double, const char*>;
    for (const auto& [value, text] :
         rows(P(3, " 3"), P(0.5, " .5"), P(-0.0, " 0"), P(1.0 / 3, " .333333333333333"),
              P(-2.0 / 3, "-.666666666666667"), P(1e-4, " .0001"), P(1e-5, " 1E-05"),
              P(999999999999999, " 999999999999999"), P(1e15, " 1E+15"),
              P(9999999999999999.0, " 1E+16"), P(Limits::max(), " 1.79769313486232E+308"),
              P(Limits::denorm_min(), " 4.94065645841247E-324"),
              P(12345678901234.25, " 12345678901234.2"), P(12345678901234.75, " 12345678901234.8"),
              P(kInf, " 1.79769313486232E+308"), P(-kInf, "-1.79769313486232E+308"),
              P(Limits::quiet_NaN(), " 0")))
        EXPECT_EQ(numberText(value), text) << value;
}

TEST(PlainNumberText, WritesSignificantDigitsOrTheShortestRoundTrip) {
    // The sign of -0 stays: the text reads back as the same double.
    struct Row {
        double value;
        int digits;
        const char* text;
    };
    for (const auto& [value, digits, text] :
         rows(Row{2.0 / 3, 15, "0.666666666666667"}, Row{2.0 / 3, 3, "0.667"}, Row{-1, 15, "-1"},
              Row{1e-5, 15, "1e-05"}, Row{1234567.5, 15, "1234567.5"}, Row{1e15, 15, "1e+15"},
              Row{123456.789, 4, "1.235e+05"}, Row{-0.0, 15, "-0"},
              Row{0.1 + 0.2, kShortestText, "0.30000000000000004"}, Row{0.3, kShortestText, "0.3"},
              Row{1234567.5, kShortestText, "1234567.5"}, Row{1e20, kShortestText, "1e+20"},
              Row{-2.5e-7, kShortestText, "-2.5e-07"},
              Row{Limits::max(), kShortestText, "1.7976931348623157e+308"}))
        EXPECT_EQ(plainNumberText(value, digits), text) << value << " to " << digits;
}

TEST(TextToNumber, ReadsTheLongestNumberAtTheStart) {
    using P = std::pair<std::string, double>;
    for (const auto& [text, value] : rows(
             P("+2", 2), P("5.", 5), P(" 1 2", 12), P("\t-\n3", -3), P("1,5", 1), P("1.2.3", 1.2),
             P("2.5E+2", 250), P("1E+", 1), P("1 E 2", 100), P("", 0), P("-", 0), P("&H1F", 31),
             P("&hff", 255), P("&O17", 15), P("&O9", 0), P("1e400", kInf), P("1e-400", 0),
             P("0e99999", 0), P("1000e-310", 1e-307), P(" 1.79769313486232E+308", kInf),
             P(" 1.79769313486231E+308", 1.79769313486231e308),
             P("000000000000000000000000000000000000001", 1), P(std::string(400, '9'), kInf),
             P("." + std::string(400, '9'), 1.0), P(std::string(300, '1'), 1.1111111111111111e299)))
        EXPECT_EQ(textToNumber(text), value) << '"' << text << '"';
}

double fromChars(std::string_view text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// The number text built the obvious way: std::to_chars with 15 significant
// digits, whose general form switches to the exponent below 1e-4 and from
// 1e15 on as the number text does, then laid out.
std::string referenceText(double v) {
    char buf[64];
    std::string text(
        buf,
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::general, 15).ptr);
    if (text.starts_with("0."))
        text.erase(0, 1);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return (v < 0 ? "-" : " ") + text;
}

void expectSameAsReference(double v) {
    char out[kNumberTextCapacity];
    double readBack = 0;
    const int n = formatNumberText(v, out, readBack);
    const std::string expected = referenceText(v);
    ASSERT_EQ(std::string(out, static_cast<std::size_t>(n)), expected) << std::hexfloat << v;
    // What the text reads back to: the same 15-digit value, through either reader.
    const double expectedValue = textToNumber(expected);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(readBack), std::bit_cast<std::uint64_t>(expectedValue))
        << std::hexfloat << v;
    // The evaluator's shortcut to the same value, without the text.
    ASSERT_EQ(std::bit_cast<std::uint64_t>(numberTextValue(v)),
              std::bit_cast<std::uint64_t>(expectedValue))
        << std::hexfloat << v;
    if (std::isfinite(expectedValue)) {
        ASSERT_EQ(expectedValue, fromChars(expected.substr(expected[0] == ' ' ? 1 : 0)));
    }
}

TEST(NumberText, MatchesToCharsOnMillionsOfRandomDoubles) {
    std::mt19937_64 random(20240601);
    // Any bit pattern: every binade, subnormals included.
    for (int i = 0; i < 1000000; ++i) {
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v))
            expectSameAsReference(v);
    }
    // Values of the size plots produce, where the fast path works.
    std::uniform_real_distribution<double> exponent(-7, 17), unit(-1, 1);
    for (int i = 0; i < 1000000; ++i)
        expectSameAsReference(unit(random) * std::pow(10.0, exponent(random)));
    // Doubles on and next to a tie at the 16th digit, and to powers of ten.
    const auto around = [](double v) {
        for (const double w : {v, std::nextafter(v, 0.0), std::nextafter(v, 1e308)})
            expectSameAsReference(w);
    };
    std::uniform_int_distribution<std::uint64_t> fifteen(100000000000000ULL, 999999999999999ULL);
    std::uniform_int_distribution<int> scale(-27, 5);
    for (int i = 0; i < 200000; ++i)
        around(fromChars(std::to_string(fifteen(random)) + "5e" + std::to_string(scale(random))));
    for (int e = -320; e <= 308; ++e)
        around(fromChars("1e" + std::to_string(e)));
}

} // namespace
} // namespace curvalia::engine
