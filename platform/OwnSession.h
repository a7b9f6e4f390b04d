// Starting a program that outlives whoever started it, yet still tells how
// it ended when it ends soon.
//
// The program runs in a session of its own, so a Ctrl+C in the terminal the
// starter runs in (which reaches only that terminal's foreground group) does
// not end it, and it is nobody's child here: a QProcess ends its process when
// it is destroyed, and a child never waited for would stay a zombie. A small
// watcher, forked into the same new session, waits for the program for a
// limited time and writes its exit code to a pipe.
#pragma once

#include <string>
#include <vector>

namespace curvalia::platform {

// The exit code the pipe carries for a program killed by a signal, or one
// the watcher could not start.
inline constexpr int kNoExitCode = -1;

// argv: the program's path first, then its arguments. Its standard input
// is /dev/null; it shares the starter's output. Returns the read end of a
// pipe (the caller closes it) that delivers one int, the program's exit code,
// if the program ends within watchMs, and then end of file; end of file
// alone means the program is still running after watchMs and is left to run.
// -1 when the watcher could not be made.
int startInOwnSession(const std::vector<std::string>& argv, int watchMs);

} // namespace curvalia::platform
