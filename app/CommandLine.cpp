#include "app/CommandLine.h"

#include <string_view>

namespace curvalia::app {

namespace {

CommandLine refused(const std::string& what) {
    CommandLine line;
    line.mode = CommandLine::Mode::Refused;
    line.message = what + "\n" + kUsage;
    return line;
}

// A session's file by its name: options and their values (the toolkit's
// "-platform offscreen") are left alone.
bool isSessionFile(const std::string& arg) {
    constexpr std::string_view kSuffix = ".curvalia";
    if (arg.empty() || arg[0] == '-' || arg.size() <= kSuffix.size())
        return false;
    for (std::size_t i = 0; i < kSuffix.size(); ++i) {
        const char c = arg[arg.size() - kSuffix.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != kSuffix[i])
            return false;
    }
    return true;
}

} // namespace

CommandLine readCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (args.empty() || args[0] != "--studio") {
        // The windows, with whatever the toolkit makes of the rest.
        for (const std::string& arg : args) {
            if (!isSessionFile(arg))
                continue;
            if (!line.session.empty())
                return refused("Si apre una sessione alla volta: " + arg);
            line.session = arg;
        }
        return line;
    }
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
