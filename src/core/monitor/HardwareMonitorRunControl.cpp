// Run control: step, the reset line, and the runs that keep the ui thread until they end,
// asking at fixed intervals whether to go on.

#include "isa/ParseNumber.h"
#include "monitor/HardwareMonitor.h"
#include "monitor/MonitorTexts.h"

#include <algorithm>

namespace vorn::monitor {

using namespace control;

namespace {

constexpr int64_t kHaltQuestionSeconds = 30;

} // namespace

void HardwareMonitor::OnStep() {
    if (link_->Step() != board::NoError) BoardErrorBox("Error in step:");
    OnRefreshData();
}

// The reset line's state is the button's caption.
void HardwareMonitor::OnResetToggle() {
    if (form_.Text(Reset) == kResetReleased) {
        if (link_->SetReset(1) != board::NoError) BoardErrorBox("Error in reset:");
        form_.SetText(Reset, kResetHeld);
        return;
    }
    if (link_->SetReset(0) != board::NoError) BoardErrorBox("Error in reset:");
    form_.SetText(Reset, kResetReleased);
    OnRefreshData();
}

// "Run &N steps..." never asks and cannot be interrupted.
void HardwareMonitor::OnRunSteps() {
    if (const auto typed = prompter_.askOneValue("Enter number of steps to run:", "", "")) {
        const int32_t steps = isa::ParseNumber(*typed);
        SetStatus(Format("Running %d steps", steps));
        int errors = 0;
        for (int32_t i = 0; i < steps; ++i)
            if (link_->Step() != board::NoError) ++errors;
        if (errors > 0) Message(Format("There have been %d errors.", errors));
    }
    SetStatus({});
    OnRefreshData();
}

void HardwareMonitor::OnRunUntilPc() {
    const auto pcAddress = labels_.Find(LabelKind::Slave, kPcLabel);
    if (!pcAddress) return Message("No PC label defined!");
    if (const auto typed = prompter_.askOneValue("Enter PC stop address:", "Address:", "")) {
        SetStatus("Running...");
        RunUntilWord(*pcAddress, static_cast<uint32_t>(isa::ParseNumber(*typed)));
    }
    SetStatus({});
    OnRefreshData();
}

void HardwareMonitor::OnRunUntilReg() {
    if (!addresses_.cpuRamSet) return Message("CPU RAM address not set.");
    if (const auto typed =
            prompter_.askTwoValues("Enter register num and stop value:", "Reg num:", "Value:", "", "")) {
        const auto reg = static_cast<uint32_t>(isa::ParseNumber(typed->first));
        const auto target = static_cast<uint32_t>(isa::ParseNumber(typed->second));
        if (reg > 31) return Message("Invalid register number.");
        SetStatus("Running...");
        RunUntilWord(addresses_.cpuRam + reg, target);
    }
    SetStatus({});
    OnRefreshData();
}

void HardwareMonitor::OnRunUntilMem() {
    if (const auto typed =
            prompter_.askTwoValues("Enter memory address and stop value:", "Address:", "Value:", "", "")) {
        const auto address = static_cast<uint32_t>(isa::ParseNumber(typed->first));
        const auto target = static_cast<uint32_t>(isa::ParseNumber(typed->second));
        if (address < settings_.RAMstart || address > settings_.RAMend)
            return Message("Address out of allowed range.");
        SetStatus("Running...");
        RunUntilWord(address, target);
    }
    SetStatus({});
    OnRefreshData();
}

// Steps until the watched word reads the target, asking every stepsUntilMsgHardware steps
// (at least every step). Failed steps and reads are not reported; the loop goes on with the
// last value read, and a watched word that was never read has not reached the target.
void HardwareMonitor::RunUntilWord(uint32_t address, uint32_t target) {
    const uint32_t interval = std::max<uint32_t>(settings_.stepsUntilMsgHardware, 1);
    std::optional<uint32_t> value = TryRead(address);
    bool userStop = false;
    for (uint32_t steps = 0; value != target && !userStop;) {
        link_->Step();
        ++steps;
        if (const auto read = TryRead(address)) value = read;
        if (steps % interval == 0 &&
            !prompter_.askYesNo(
                Format("%d steps had passed. Do you want to continue waiting?", static_cast<int>(steps)),
                environment_.caption))
            userStop = true;
    }
}

std::optional<uint32_t> HardwareMonitor::TryRead(uint32_t address) {
    uint32_t word = 0;
    if (link_->ReadWord(address, word) != board::NoError) return std::nullopt;
    return word;
}

// Asks once at each 30 seconds of clock time (30, 60, ...), as long as the CPU runs. The next
// question comes at the first multiple of 30 after the answer, however long the box stood open.
void HardwareMonitor::OnRunUntilHalt() {
    if (link_->RunStart() != board::NoError) return BoardErrorBox("Error in run:");
    const int64_t start = clock_.NowSeconds() - 1;
    SetStatus("Running...");
    int64_t nextQuestion = kHaltQuestionSeconds;
    bool halted = link_->PollHalt();
    bool userStop = false;
    while (!halted && !userStop) {
        const int64_t elapsed = clock_.NowSeconds() - start;
        if (elapsed >= nextQuestion) {
            userStop = !prompter_.askYesNo(
                Format("%d seconds had passed. Do you want to continue waiting?", static_cast<int>(elapsed)),
                environment_.caption);
            nextQuestion = ((clock_.NowSeconds() - start) / kHaltQuestionSeconds + 1) * kHaltQuestionSeconds;
        }
        halted = link_->PollHalt();
    }
    if (link_->Stop() != board::NoError) BoardErrorBox("Error in stop:");
    OnRefreshData();
    SetStatus({});
}

} // namespace vorn::monitor
