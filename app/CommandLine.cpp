#include "app/CommandLine.h"

namespace curvalia::app {

namespace {

CommandLine refused(const std::string& what) {
    CommandLine line;
    line.mode = CommandLine::Mode::Refused;
    line.message = what + "\n" + kUsage;
    return line;
}

} // namespace

CommandLine readCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (args.empty() || args[0] != "--studio")
        return line; // the windows, with whatever the toolkit makes of the rest
    if (args.size() < 2)
        return refused("Manca l'espressione dopo --studio");
    line.mode = CommandLine::Mode::Study;
    line.expression = args[1];
    std::size_t at = 2;
    if (at < args.size() && args[at] == "--area") {
        // The next five are values whatever they look like: "-10" is X min,
        // not an option.
        if (args.size() - at - 1 < 5)
            return refused("Dopo --area servono cinque valori: XMIN XMAX YMIN YMAX STEP");
        line.area = {args[at + 1], args[at + 2], args[at + 3], args[at + 4], args[at + 5]};
        at += 6;
    }
    if (at < args.size())
        return refused("Argomento non previsto: " + args[at]);
    return line;
}

} // namespace curvalia::app
