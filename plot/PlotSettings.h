// The plot switches, changed by the main window's menus and buttons and read
// by the draw command. Booleans keep the -1 / 0 convention of the rest of
// the program's state.
#pragma once

#include <cstdint>

namespace curvalia::plot {

inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

struct PlotSwitches {
    std::int16_t CurveColor = 10;          // palette number of the f(x) points (light green)
    std::int16_t ClearBeforePlot = kTrue;  // clear the surface at the start of a draw
    std::int16_t GridOn = kFalse;          // draw the dot grid
    std::int16_t YieldEachSample = kFalse; // yield after every sample
};

} // namespace curvalia::plot
