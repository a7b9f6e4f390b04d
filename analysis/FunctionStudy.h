// The study of a function over the view: where it is defined, its zeros,
// extrema, inflections and asymptotes, the intervals of its sign, growth and
// concavity, and where it meets the other curves shown. Plain C++: the
// window and the command line both write what it finds.
#pragma once

#include "engine/Engine.h"
#include "engine/ReductionSchedule.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace curvalia::analysis {

enum class PointKind {
    Zero,              // "zero"
    DoubleZero,        // "zero doppio": touches 0 without changing sign
    YIntercept,        // "intersezione con l'asse y": f(0) when 0 lies in the range
    Maximum,           // "massimo relativo"
    Minimum,           // "minimo relativo"
    Inflection,        // "flesso"
    VerticalAsymptote, // "asintoto verticale" (y is NaN)
    ExcludedPoint,     // "punto escluso" (y is the common finite limit, or NaN if unknown)
    Intersection,      // "intersezione con <other>"
};
struct StudyPoint {
    PointKind kind;
    double x;
    double y;
    std::string other; // for Intersection: the other curve's expression
};
enum class IntervalKind {
    Positive,
    Negative,
    Increasing,
    Decreasing,
    ConcaveUp,
    ConcaveDown,
    Undefined
};
struct StudyInterval {
    IntervalKind kind;
    double from, to; // open interval (from; to)
};
struct StudyRange {
    double Xmin, Xmax, Ymin, Ymax, Step; // the view: any doubles, Xmin < Xmax, Step > 0
};
struct Study {
    std::string expression; // as studied (lower-cased)
    std::optional<std::string>
        refusal;                    // the message of a refused expression; nothing else set then
    std::vector<StudyPoint> points; // in order of x (asymptotes and excluded points included)
    std::vector<StudyInterval>
        intervals; // grouped by kind in the enum's order, each group in order of x
};

// A view that cannot be studied is refused like an expression, with these
// texts: the plot refuses such a view with the same words.
namespace msg {
inline constexpr const char* kBadRange = "Campi errati";
inline constexpr const char* kBadStep = "Step non valido";
inline constexpr const char* kTooManySamples =
    "Troppi punti da studiare in questa vista: aumentare lo step";
} // namespace msg

class FunctionStudy {
  public:
    // The most grid samples one study takes for one curve in the window, as
    // many as live drawing sweeps: a study reads each sample several times
    // over, and the window waits for it. The command line, which nothing
    // waits on, allows more (setMaxSamples).
    static constexpr double kMaxSamples = 100'000;
    static constexpr double kMaxCommandLineSamples = 2'000'000;
    void setMaxSamples(double samples) { maxSamples_ = samples; }

    FunctionStudy(); // owns its engines, each with a status sink that writes nothing
    // The sinks point into this object.
    FunctionStudy(const FunctionStudy&) = delete;
    FunctionStudy& operator=(const FunctionStudy&) = delete;

    // others: the other shown curves' expressions (lower-cased), for the intersections.
    // An other curve the engine refuses has no intersections. The y range
    // does not limit the study.
    Study study(const std::string& expression, const StudyRange& range,
                const std::vector<std::string>& others = {});

  private:
    // Checks and records expression on engine into schedule; the message of
    // a refusal, if any.
    std::optional<std::string> prepare(engine::Engine& engine, engine::ReductionSchedule& schedule,
                                       const std::string& expression, double firstX);

    engine::Engine engine_;
    engine::ReductionSchedule schedule_{engine_};
    engine::Engine otherEngine_;
    engine::ReductionSchedule otherSchedule_{otherEngine_};
    std::string message_; // the last message either engine wrote
    double maxSamples_ = kMaxSamples;
};

// Italian names as in the comments above ("intersezione con cos(x)" for an Intersection).
std::string kindName(const StudyPoint& point);
// Short Italian sentences for the intervals and the asymptotes, numbers written by
// `number` (the window passes a locale writer with 6 significant digits), e.g.
// "f > 0 per x in (-1,73205; 0) e (1,73205; 10)", "f < 0 per x in ...",
// "f crescente per x in ...", "f decrescente per x in ...",
// "f concava verso l'alto per x in ...", "f concava verso il basso per x in ...",
// "f non definita per x in ...", "asintoto verticale: x = 1". A kind with no interval gives no
// sentence. One sentence per asymptote.
std::vector<std::string> sentences(const Study& study,
                                   const std::function<std::string(double)>& number);
// The study as plain text for the command line and "Copia": one line per point
// "<kind>\t<x>\t<y>" then one line per sentence, numbers by `number`. A y that
// is not known (an asymptote's) is an empty field; a refused study is its
// message alone.
std::string studyText(const Study& study, const std::function<std::string(double)>& number);

} // namespace curvalia::analysis
