#include "analysis/CurveSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace curvalia::analysis {

namespace {

bool mapsToPitch(const StudyRange& r) {
    return std::isfinite(r.Ymin) && std::isfinite(r.Ymax) && r.Ymin < r.Ymax &&
           std::isfinite(r.Ymax - r.Ymin);
}

std::size_t sampleCount(const SoundShape& shape) {
    return static_cast<std::size_t>(std::max(2.0, std::round(shape.seconds * shape.sampleRate)));
}

bool isZero(const StudyPoint& p) {
    return p.kind == PointKind::Zero || p.kind == PointKind::DoubleZero;
}

// A short burst, swelling and fading (a Hann window) so that it has no
// edges of its own, centred on the sample at centre.
void addTick(std::vector<double>& wave, double centre, const SoundShape& shape) {
    const double half = shape.tickSeconds * shape.sampleRate / 2;
    const auto first = static_cast<std::ptrdiff_t>(std::ceil(centre - half));
    const auto last = static_cast<std::ptrdiff_t>(std::floor(centre + half));
    for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(first, 0);
         i <= last && i < static_cast<std::ptrdiff_t>(wave.size()); ++i) {
        const double from = static_cast<double>(i) - centre; // -half..half
        const double envelope = 0.5 + 0.5 * std::cos(std::numbers::pi * from / half);
        wave[static_cast<std::size_t>(i)] +=
            shape.tickLevel * envelope *
            std::sin(2 * std::numbers::pi * shape.tickHz * from / shape.sampleRate);
    }
}

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

CurveSound::CurveSound() {
    // Its messages are the study's, already shown: none reaches the status line.
    engine_.setStatusSink([this](std::string_view m) { message_.assign(m); });
}

double soundTimeOf(double x, const StudyRange& range, const SoundShape& shape) {
    const double last = static_cast<double>(sampleCount(shape) - 1);
    return (x - range.Xmin) / (range.Xmax - range.Xmin) * last / shape.sampleRate;
}

CurveSoundResult CurveSound::make(const Study& study, const StudyRange& range,
                                  const SoundShape& shape) {
    CurveSoundResult result;
    if (study.refusal) {
        result.refusal = study.refusal;
        return result;
    }
    if (!mapsToPitch(range)) {
        result.refusal = msg::kBadRange;
        return result;
    }
    message_.clear();
    engine_.StopRequested = 0;
    engine_.emptyArrays();
    // The study accepted it; checked again because a schedule records only
    // what the checker has passed.
    if (!engine_.CheckExpression(study.expression)) {
        result.refusal = message_.empty() ? std::string(engine::msg::kBrackets) : message_;
        return result;
    }
    schedule_.record(study.expression);

    const std::size_t count = sampleCount(shape);
    const double rate = shape.sampleRate;
    const double span = std::log(shape.highHz / shape.lowHz);
    const double height = range.Ymax - range.Ymin;
    const double fadeStep = 1 / std::max(1.0, shape.fadeSeconds * rate);
    std::vector<double> wave(count, 0.0);
    double phase = 0;
    double level = 0;
    double hz = shape.lowHz;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = range.Xmin + (range.Xmax - range.Xmin) * static_cast<double>(i) /
                                          static_cast<double>(count - 1);
        const engine::Sample s = schedule_.run(x);
        const bool sounding = s.outcome == engine::SampleOutcome::Normal && s.defined &&
                              std::isfinite(s.value) && range.Ymin <= s.value &&
                              s.value <= range.Ymax;
        // A fading tone keeps its last pitch.
        if (sounding)
            hz = shape.lowHz * std::exp(span * (s.value - range.Ymin) / height);
        level = sounding ? std::min(1.0, level + fadeStep) : std::max(0.0, level - fadeStep);
        // The phase runs on through every change of pitch: no jumps, no clicks.
        phase = std::fmod(phase + 2 * std::numbers::pi * hz / rate, 2 * std::numbers::pi);
        // The sweep ends with a fade of its own.
        const double tail = std::min(1.0, static_cast<double>(count - 1 - i) * fadeStep);
        wave[i] = shape.toneLevel * std::min(level, tail) * std::sin(phase);
    }
    engine_.StopRequested = 0;

    // A zero the view shows, where the curve crosses or touches y = 0.
    if (range.Ymin <= 0 && 0 <= range.Ymax)
        for (const StudyPoint& p : study.points)
            if (isZero(p) && range.Xmin <= p.x && p.x <= range.Xmax)
                addTick(wave, soundTimeOf(p.x, range, shape) * rate, shape);

    result.samples.reserve(count);
    for (const double v : wave)
        result.samples.push_back(
            static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
    return result;
}

std::string wavBytes(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);                                         // the format block's size
    putLittleEndian(out, 1, 2);                                          // PCM
    putLittleEndian(out, 1, 2);                                          // mono
    putLittleEndian(out, static_cast<std::uint32_t>(sampleRate), 4);     // samples per second
    putLittleEndian(out, static_cast<std::uint32_t>(sampleRate) * 2, 4); // bytes per second
    putLittleEndian(out, 2, 2);                                          // bytes per sample
    putLittleEndian(out, 16, 2);                                         // bits per sample
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (const std::int16_t s : samples)
        putLittleEndian(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

} // namespace curvalia::analysis
