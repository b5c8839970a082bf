// The board maker's FPGA loader and FPGA test, run as child processes with a bounded wait.

#include "monitor/HardwareMonitor.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ScratchFile.h"
#include "monitor/ToolCommands.h"

namespace vorn::monitor {

using State = ProcessOutcome::State;

bool HardwareMonitor::RunConfigurationTool(const std::string& bitFile) {
    const ToolCommand command = LoaderCommand(settings_, bitFile);
    const ProcessOutcome outcome = processes_.Run(command.program, command.arguments, kToolWaitMs);
    switch (outcome.state) {
    case State::StartFailed:
        prompter_.message(Format("Failed with error %d: %s", outcome.errorCode, outcome.errorText.c_str()),
                          "Error");
        Message("Failed to activate configuration program.");
        return true;
    case State::ExitCodeUnreadable:
        Message("Configuration error.");
        return false;
    case State::StillRunning:
        Message("Configuration is still active - please check configuration state and press OK.");
        return true;
    case State::Exited:
        // The loader's exit code is not looked at: a failed load shows in later board errors.
        host_.TakeFocus();
        return true;
    }
    return true;
}

void HardwareMonitor::OnTestFpga() {
    // The test tool may look for its scratch file while it runs; whether it could be written is
    // not checked.
    const ScratchFile scratch(environment_.scratchFolder, "^");
    const ToolCommand command = TestCommand(settings_);
    const ProcessOutcome outcome = processes_.Run(command.program, command.arguments, kToolWaitMs);
    switch (outcome.state) {
    case State::StartFailed:
        return Message("Failed to activate test program.");
    case State::ExitCodeUnreadable:
        return Message("Test program error.");
    case State::StillRunning:
        return Message("Test program is still active - please check program state and press OK.");
    case State::Exited:
        return Message(outcome.exitCode == 0 ? "test successful" : "test failed");
    }
}

} // namespace vorn::monitor
