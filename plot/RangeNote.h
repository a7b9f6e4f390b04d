// What the settings dialog says under its fields while a text there will
// not be read as typed: the draw floors the four range values and reads
// each text only up to the first character that does not fit, so "-0.5"
// draws from -1 and "1,5" steps by 1. The note only tells; the draw command
// reads the fields as it always does.
#pragma once

#include "plot/PlotHost.h"

#include <string>

namespace curvalia::plot {

// One line per field (or per axis, when both of its ends are floored), in
// the order X, Y, step; empty when every field reads as typed.
std::string rangeNote(const RangeTexts& texts);

} // namespace curvalia::plot
