#include "platform/OwnSession.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace curvalia::platform {

namespace {

// Everything below runs in a forked copy of a program with threads: only
// calls that are safe after fork (no allocation, no locks) until exec or
// _exit, and _exit rather than exit so that no atexit work (the leak checker
// included) runs twice.

long long nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

[[noreturn]] void runProgram(char* const* argv) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL); // as a program started from a shell has it
    const int input = open("/dev/null", O_RDONLY);
    if (input > STDIN_FILENO) {
        dup2(input, STDIN_FILENO);
        close(input);
    }
    execv(argv[0], argv);
    _exit(127); // as a shell reports a program it cannot run
}

void report(int pipeEnd, int code) {
    // Fails only when the starter has stopped listening, and then nobody asks.
    const ssize_t written = write(pipeEnd, &code, sizeof code);
    static_cast<void>(written);
}

[[noreturn]] void watch(char* const* argv, int watchMs, int pipeEnd) {
    const pid_t program = fork();
    if (program == 0)
        runProgram(argv);
    if (program < 0) {
        report(pipeEnd, kNoExitCode);
        _exit(0);
    }
    // Polled rather than waited for, so that the watcher ends at the limit
    // and the program, then a child of init, runs on alone.
    const long long until = nowMs() + watchMs;
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(program, &status, WNOHANG);
        if (ended == program) {
            report(pipeEnd, WIFEXITED(status) ? WEXITSTATUS(status) : kNoExitCode);
            break;
        }
        if ((ended < 0 && errno != EINTR) || nowMs() >= until)
            break;
        const timespec pause{0, 10'000'000};
        nanosleep(&pause, nullptr);
    }
    _exit(0);
}

} // namespace

int startInOwnSession(const std::vector<std::string>& args, int watchMs) {
    if (args.empty())
        return -1;
    std::vector<char*> argv; // made before the fork: the child may not allocate
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return -1;
    const pid_t first = fork();
    if (first == 0) {
        // This child leads no process group, so it may open a session; it
        // leaves at once, so the watcher and the program are not children of
        // the starter, and not session leaders (no terminal can become theirs).
        close(ends[0]);
        if (setsid() < 0)
            _exit(1);
        const pid_t watcher = fork();
        if (watcher == 0)
            watch(argv.data(), watchMs, ends[1]);
        _exit(watcher < 0 ? 1 : 0);
    }
    close(ends[1]);
    int status = 0;
    while (first > 0 && waitpid(first, &status, 0) < 0 && errno == EINTR) {
    }
    if (first < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        close(ends[0]);
        return -1;
    }
    return ends[0];
}

} // namespace curvalia::platform
