// The curve as sound, for whoever cannot see the plot: a few seconds that
// sweep the view from left to right, the pitch following y (low at the
// bottom of the view, high at the top), a short tick at each zero of the
// study, and silence where f is undefined or leaves the view. Mono 16-bit
// PCM, and the same as a WAV file. Plain C++: the window plays it or saves it.
#pragma once

#include "analysis/FunctionStudy.h"
#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace curvalia::analysis {

struct SoundShape {
    int sampleRate = 22050;
    double seconds = 3;
    // y = Ymin sounds at lowHz, y = Ymax at highHz, evenly in between on a
    // log scale (each equal step in y is the same musical interval).
    double lowHz = 200;
    double highHz = 1600;
    double toneLevel = 0.35; // of full scale; the ticks stand out above it
    double tickLevel = 0.5;
    double tickHz = 3000;
    double tickSeconds = 0.004;
    // Where the tone starts and stops it swells and fades over this long,
    // so that no gap begins with a click.
    double fadeSeconds = 0.003;
};

struct CurveSoundResult {
    std::vector<std::int16_t> samples;
    std::optional<std::string> refusal; // a refused expression or view: no samples then
};

class CurveSound {
  public:
    CurveSound(); // owns its engine, with a status sink that writes nothing
    CurveSound(const CurveSound&) = delete;
    CurveSound& operator=(const CurveSound&) = delete;

    // The sound of study's curve over range (the range it was studied
    // over): its refusal, if it was refused, and the view's own when its y
    // range cannot be mapped to pitch.
    CurveSoundResult make(const Study& study, const StudyRange& range,
                          const SoundShape& shape = {});

  private:
    engine::Engine engine_;
    engine::ReductionSchedule schedule_{engine_};
    std::string message_; // the last message the engine wrote
};

// The time in seconds at which x sounds.
double soundTimeOf(double x, const StudyRange& range, const SoundShape& shape = {});

// A WAV file (RIFF, PCM, 16-bit, mono) holding samples.
std::string wavBytes(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace curvalia::analysis
