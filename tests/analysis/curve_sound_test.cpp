// The sound of a curve measured from its samples: the pitch read off the
// zero crossings against the pitch y asks for, the ticks found by their
// loudness and placed in time, the gaps silent, and the WAV file's header.
#include "analysis/CurveSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

namespace curvalia::analysis {
namespace {

constexpr StudyRange kView{-10, 10, -10, 10, 0.01};
constexpr double kPi = std::numbers::pi;
constexpr int kRate = SoundShape{}.sampleRate;

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
    FunctionStudy studies;
    CurveSound sounds;
    std::map<std::string, std::vector<std::int16_t>> made;
};

std::size_t at(double x) {
    return static_cast<std::size_t>(std::lround(soundTimeOf(x, kView) * kRate));
}

// The mean pitch over 25 ms around x, from the first to the last upward
// zero crossing, each placed between its two samples.
double pitchAt(const std::vector<std::int16_t>& s, double x) {
    std::vector<double> up;
    for (std::size_t i = at(x) - kRate / 80; i < at(x) + kRate / 80; ++i)
        if (s[i] < 0 && s[i + 1] >= 0)
            up.push_back(static_cast<double>(i) + s[i] / double(s[i] - s[i + 1]));
    return up.size() < 2 ? 0 : (up.size() - 1) * kRate / (up.back() - up[0]);
}

TEST_F(SoundTest, PitchRisesWithYFromLowAtTheBottomToHighAtTheTop) {
    const struct {
        const char* expression;
        double x, y;
    } rows[] = {{"sin(x)", -kPi / 2, -1},    {"sin(x)", 0.5, std::sin(0.5)},
                {"sin(x)", kPi / 2, 1},      {"x^2", -3, 9},
                {"x^2", -1.5, 2.25},         {"x^2", 2.5, 6.25},
                {"1/x", -5, -0.2},           {"1/x", 0.4, 2.5},
                {"1/x", 9.5, 1 / 9.5},       {"lgn(x)", 0.5, std::log10(0.5)},
                {"lgn(x)", 9, std::log10(9)}};
    for (const auto& [expression, x, y] : rows) {
        const double want = 200 * std::pow(8.0, (y - kView.Ymin) / (kView.Ymax - kView.Ymin));
        EXPECT_NEAR(pitchAt(sound(expression), x), want, 0.02 * want) << expression << " " << x;
    }
}

TEST_F(SoundTest, TicksStandAboveTheToneAtTheZerosOfTheStudy) {
    using Z = std::pair<const char*, std::vector<double>>;
    for (const auto& [expression, zeros] :
         {Z{"sin(x)", {-3 * kPi, -2 * kPi, -kPi, 0, kPi, 2 * kPi, 3 * kPi}}, Z{"x^2", {0}},
          Z{"1/x", {}}, Z{"lgn(x)", {1}}}) {
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
        for (std::size_t k = 0; k < zeros.size(); ++k)
            EXPECT_NEAR((loud[k].first + loud[k].second) / 2.0 / kRate,
                        soundTimeOf(zeros[k], kView), 0.001);
    }
}

TEST_F(SoundTest, SilentWhereFIsUndefinedOrOutsideTheView) {
    using G = std::tuple<const char*, double, double>; // silent from, to
    for (const auto& [expression, from, to] : {G{"1/x", -0.07, 0.07}, G{"lgn(x)", -9.98, -0.02},
                                               G{"x^2", 3.2, 9.9}, G{"rad(2)(x-20)", -10, 10}})
        for (std::size_t i = at(from); i < at(to); ++i)
            ASSERT_EQ(sound(expression)[i], 0) << expression << " " << i;
    EXPECT_EQ(sounds.make(studies.study("sin(x", kView), kView).refusal,
              "Le parentesi APERTE sono maggiori di quelle chiuse");
    const StudyRange flat{-10, 10, 5, 5, 0.01};
    EXPECT_EQ(sounds.make(studies.study("x", flat), flat).refusal, "Campi errati");
}

TEST_F(SoundTest, TheWavFileHoldsItsHeaderAndEverySample) {
    const std::vector<std::int16_t>& s = sound("sin(x)");
    const std::string wav = wavBytes(s, kRate);
    ASSERT_EQ(wav.size(), 44 + 2 * s.size());
    const auto word = [&](std::size_t from, std::size_t bytes) {
        std::uint32_t v = 0;
        while (bytes-- > 0)
            v = v << 8 | static_cast<unsigned char>(wav[from + bytes]);
        return v;
    };
    EXPECT_EQ(wav.substr(0, 4) + wav.substr(8, 8) + wav.substr(36, 4), "RIFFWAVEfmt data");
    const std::uint32_t fields[][3] = {
        {4, 36 + 2 * 66150, 4}, {16, 16, 4}, {20, 1, 2},  {22, 1, 2},        {24, 22050, 4},
        {28, 44100, 4},         {32, 2, 2},  {34, 16, 2}, {40, 2 * 66150, 4}};
    for (const auto& [offset, value, bytes] : fields)
        EXPECT_EQ(word(offset, bytes), value) << offset;
    EXPECT_EQ(static_cast<std::int16_t>(word(44 + 2 * 1000, 2)), s[1000]);
}

} // namespace
} // namespace curvalia::analysis
