// What the program was asked to do on its command line. With no arguments
// it opens its windows; with FILE.curvalia it opens them and then that
// session; "--studio EXPRESSION [--area XMIN XMAX YMIN YMAX
// STEP]" asks for the study of a function on standard output instead, with
// no window and no display. Arguments it does not know are left to the
// toolkit when the windows open.
#pragma once

#include "plot/PlotHost.h"

#include <optional>
#include <string>
#include <vector>

namespace curvalia::app {

inline constexpr const char* kUsage =
    "Uso: curvalia-light [FILE.curvalia | --studio ESPRESSIONE [--area XMIN XMAX YMIN YMAX "
    "STEP]]";

struct CommandLine {
    enum class Mode { Windows, Study, Refused };
    Mode mode = Mode::Windows;
    std::string expression; // for Study
    // The five texts after --area, taken as "Area" takes them; the fields'
    // own defaults without --area.
    plot::RangeTexts area;
    std::string message; // for Refused: what is wrong, then the usage
    std::string session; // for Windows: the session to open, if any
};

// args: the arguments after the program's name.
CommandLine readCommandLine(const std::vector<std::string>& args);

} // namespace curvalia::app
