// The sound of a curve measured from its samples: the pitch read off the
// zero crossings against the pitch y should give, the ticks found by their
// loudness and placed in time, the gaps silent, and the WAV file's header.
#include "analysis/CurveSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace curvalia::analysis {
namespace {

constexpr StudyRange kView{-10, 10, -10, 10, 0.01};
constexpr double kPi = std::numbers::pi;

struct Curve {
    const char* expression;
    std::function<double(double)> f;
};
const Curve kCurves[] = {{"sin(x)", [](double x) { return std::sin(x); }},
                         {"x^2", [](double x) { return x * x; }},
                         {"1/x", [](double x) { return 1 / x; }},
                         {"lgn(x)", [](double x) { return std::log10(x); }}};
const Curve& curve(const char* expression) {
    for (const Curve& c : kCurves)
        if (std::strcmp(c.expression, expression) == 0)
            return c;
    throw std::invalid_argument(expression);
}

struct SoundTest : ::testing::Test {
    const std::vector<std::int16_t>& sound(const std::string& expression) {
        auto known = made.find(expression);
        if (known == made.end()) {
            CurveSoundResult r = sounds.make(studies.study(expression, kView), kView);
            EXPECT_FALSE(r.refusal) << expression;
            known = made.emplace(expression, std::move(r.samples)).first;
        }
        return known->second;
    }
    static std::size_t at(double x) {
        return static_cast<std::size_t>(std::lround(soundTimeOf(x, kView) * shape.sampleRate));
    }
    FunctionStudy studies;
    CurveSound sounds;
    std::map<std::string, std::vector<std::int16_t>> made;
    static constexpr SoundShape shape{};
};

// The mean pitch over 25 ms centred on x, from the first to the last upward
// zero crossing (each placed between its two samples); 0 when silent.
double pitchAt(const std::vector<std::int16_t>& s, std::size_t centre) {
    const std::size_t half = SoundShape{}.sampleRate / 80;
    std::vector<double> crossings;
    for (std::size_t i = centre - half; i < centre + half; ++i)
        if (s[i] < 0 && s[i + 1] >= 0)
            crossings.push_back(static_cast<double>(i) + s[i] / double(s[i] - s[i + 1]));
    if (crossings.size() < 2)
        return 0;
    return (crossings.size() - 1) * SoundShape{}.sampleRate / (crossings.back() - crossings[0]);
}

// The pitch y asks for, averaged over the same 25 ms.
double expectedPitch(const Curve& c, double x) {
    const double half = 0.0125 / SoundShape{}.seconds * (kView.Xmax - kView.Xmin);
    double sum = 0;
    for (int k = -50; k <= 50; ++k) {
        const double y = c.f(x + half * k / 50);
        sum += 200 * std::pow(8.0, (y - kView.Ymin) / (kView.Ymax - kView.Ymin));
    }
    return sum / 101;
}

TEST_F(SoundTest, PitchFollowsYFromLowAtTheBottomToHighAtTheTop) {
    struct Row {
        const char* expression;
        double x;
    };
    const Row table[] = {
        {"sin(x)", -kPi / 2}, {"sin(x)", 0.5}, {"sin(x)", kPi / 2}, {"sin(x)", 8.5}, {"x^2", -3},
        {"x^2", -1.5},        {"x^2", 0.3},    {"x^2", 2.5},        {"1/x", -5},     {"1/x", -0.5},
        {"1/x", 0.3},         {"1/x", 9.5},    {"lgn(x)", 0.5},     {"lgn(x)", 2},   {"lgn(x)", 9}};
    for (const auto& [expression, x] : table) {
        SCOPED_TRACE(std::string(expression) + " at " + std::to_string(x));
        const double want = expectedPitch(curve(expression), x);
        EXPECT_NEAR(pitchAt(sound(expression), at(x)), want, 0.02 * want);
    }
    // Rising where f rises, falling where it falls (away from the ticks).
    const struct {
        const char* expression;
        std::vector<double> xs;
        bool rising;
    } runs[] = {{"sin(x)", {-1.5, -1.1, -0.7, -0.3}, true},
                {"sin(x)", {0.3, 0.7, 1.1, 1.5}, true},
                {"sin(x)", {1.7, 2.1, 2.5, 2.9}, false},
                {"x^2", {-3, -2, -1, -0.3}, false},
                {"x^2", {0.3, 1, 2, 3}, true},
                {"1/x", {0.4, 1, 3, 9}, false}};
    for (const auto& [expression, xs, rising] : runs) {
        const std::vector<std::int16_t>& s = sound(expression);
        for (std::size_t k = 1; k < xs.size(); ++k)
            EXPECT_EQ(pitchAt(s, at(xs[k])) > pitchAt(s, at(xs[k - 1])), rising)
                << expression << " at " << xs[k];
    }
}

TEST_F(SoundTest, TicksStandAboveTheToneAtTheZerosOfTheStudy) {
    struct Row {
        const char* expression;
        std::vector<double> zeros;
    };
    const Row table[] = {{"sin(x)", {-3 * kPi, -2 * kPi, -kPi, 0, kPi, 2 * kPi, 3 * kPi}},
                         {"x^2", {0}},
                         {"1/x", {}},
                         {"lgn(x)", {1}}};
    for (const auto& [expression, zeros] : table) {
        SCOPED_TRACE(expression);
        const std::vector<std::int16_t>& s = sound(expression);
        ASSERT_EQ(s.size(), 66150u);
        // The tone never reaches 0.45 of full scale: louder is a tick.
        std::vector<std::pair<std::size_t, std::size_t>> loud;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (std::abs(s[i]) < 0.45 * 32767)
                continue;
            if (loud.empty() || i - loud.back().second > 100)
                loud.emplace_back(i, i);
            loud.back().second = i;
        }
        ASSERT_EQ(loud.size(), zeros.size());
        for (std::size_t k = 0; k < zeros.size(); ++k) {
            const double middle = (loud[k].first + loud[k].second) / 2.0;
            EXPECT_NEAR(middle / shape.sampleRate, soundTimeOf(zeros[k], kView), 0.001) << zeros[k];
        }
    }
}

TEST_F(SoundTest, SilentWhereFIsUndefinedOrOutsideTheView) {
    struct Row {
        const char* expression;
        double from, to;
    };
    const Row table[] = {
        {"1/x", -0.07, 0.07}, {"lgn(x)", -9.98, -0.02}, {"x^2", 3.2, 9.9}, {"x^2", -9.9, -3.2}};
    for (const auto& [expression, from, to] : table) {
        SCOPED_TRACE(std::string(expression) + " " + std::to_string(from));
        const std::vector<std::int16_t>& s = sound(expression);
        for (std::size_t i = at(from); i <= at(to); ++i)
            ASSERT_EQ(s[i], 0) << i;
    }
    // Undefined across the whole view: all silence, and no tick.
    for (const std::int16_t v : sound("rad(2)(x-20)"))
        ASSERT_EQ(v, 0);
}

TEST_F(SoundTest, ARefusedExpressionOrViewGivesItsMessageAndNoSound) {
    const CurveSoundResult bracket = sounds.make(studies.study("sin(x", kView), kView);
    EXPECT_EQ(bracket.refusal, "Le parentesi APERTE sono maggiori di quelle chiuse");
    EXPECT_TRUE(bracket.samples.empty());
    const StudyRange flat{-10, 10, 5, 5, 0.01};
    EXPECT_EQ(sounds.make(studies.study("x", flat), flat).refusal, "Campi errati");
}

TEST_F(SoundTest, TheWavFileHoldsItsHeaderAndEverySample) {
    const std::vector<std::int16_t>& s = sound("sin(x)");
    const std::string wav = wavBytes(s, 22050);
    ASSERT_EQ(wav.size(), 44 + 2 * s.size());
    const auto word = [&](std::size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(wav[at + static_cast<std::size_t>(i)]);
        return v;
    };
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(word(4, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    const std::uint32_t format[][3] = {{16, 16, 4},    {20, 1, 2}, {22, 1, 2}, {24, 22050, 4},
                                       {28, 44100, 4}, {32, 2, 2}, {34, 16, 2}};
    for (const auto& [offset, value, bytes] : format)
        EXPECT_EQ(word(offset, static_cast<int>(bytes)), value) << offset;
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(word(40, 4), 2 * s.size());
    const std::size_t quarter = s.size() / 4;
    EXPECT_EQ(static_cast<std::int16_t>(word(44 + 2 * quarter, 2)), s[quarter]);
}

} // namespace
} // namespace curvalia::analysis
