// What one evaluation of the expression gives a caller.
#pragma once

#include <cstdint>

namespace curvalia::engine {

// How an evaluation ended. A step-limit or nothing-to-reduce end has written
// its message to the status line; nothing-to-reduce also set StopRequested.
enum class SampleOutcome : std::uint8_t {
    Normal,
    StepLimit,
    NothingToReduce,
};

struct Sample {
    double value = 0;
    bool defined = true;
    SampleOutcome outcome = SampleOutcome::Normal;
};

} // namespace curvalia::engine
