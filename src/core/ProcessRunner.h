#pragma once
// Starts the board maker's command-line tools (the FPGA loader and test) as child processes and
// waits a bounded time for them. The ui runs them with QProcess, tests with scripts.

#include <string>
#include <vector>

namespace vorn {

struct ProcessOutcome {
    enum class State {
        StartFailed,        // the program could not be started: errorCode and errorText say why
        Exited,             // it ended within the wait: exitCode
        StillRunning,       // it runs on after the wait and is left running
        ExitCodeUnreadable, // it ended, but gave no exit code (for example killed by a signal)
    };

    State state = State::Exited;
    int exitCode = 0;
    int errorCode = 0;
    std::string errorText;
};

class ProcessRunner {
  public:
    virtual ~ProcessRunner() = default;
    // Starts the program with these arguments (each passed whole, never split at blanks) in the
    // current directory and environment, and waits at most waitMs milliseconds for its end.
    virtual ProcessOutcome Run(const std::string& program, const std::vector<std::string>& arguments,
                               int waitMs) = 0;
};

} // namespace vorn
