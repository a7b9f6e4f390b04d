// "--studio": the study of a function written to standard output, with no
// window and no display. Exit status 0 with the study; 2 with the reason on
// the error stream when the expression, the range or the step is refused.
#pragma once

#include "app/CommandLine.h"

#include <iosfwd>

namespace curvalia::app {

int runStudy(const CommandLine& line, std::ostream& out, std::ostream& err);

} // namespace curvalia::app
