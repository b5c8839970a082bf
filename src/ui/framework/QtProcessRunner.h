#pragma once

#include "ProcessRunner.h"

namespace vorn::ui {

// The board maker's tools run as child processes of ours: each argument is passed whole, the
// tool's output goes to ours, and a tool that is still running when the wait ends is left
// running (its process object outlives the call until the tool ends).
class QtProcessRunner : public ProcessRunner {
  public:
    ProcessOutcome Run(const std::string& program, const std::vector<std::string>& arguments,
                       int waitMs) override;
};

} // namespace vorn::ui
