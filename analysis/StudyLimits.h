// How far a study may go: past this many samples of the grid it is refused
// with a message rather than left to run for minutes.
#pragma once

namespace curvalia::analysis {

inline constexpr double kMaxStudySamples = 2'000'000;
inline constexpr const char* kTooManySamples =
    "Step troppo piccolo: lo studio richiederebbe più di 2000000 di punti";

} // namespace curvalia::analysis
