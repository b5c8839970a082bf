#include "simulator/SimulatorDocument.h"

#include "simulator/TypedNumber.h"

#include <algorithm>
#include <cstdio>

namespace vorn::simulator {

namespace {

// Every address of a filled range becomes an entry of data memory, so the range is bounded
// like the memory dump's.
constexpr int64_t kLargestFill = 0x10000;
constexpr const char* kFillTooLarge = "Cannot fill address space larger than 64k";
constexpr const char* kInvalidRegister = "invalid register number";

} // namespace

std::string StepsPassedText(uint32_t n) {
    char text[80];
    std::snprintf(text, sizeof text, "%d steps had passed. Do you want to continue waiting?",
                  static_cast<int>(n));
    return text;
}

SimulatorDocument::SimulatorDocument(SimulatorEnvironment environment, Prompter& prompter)
    : environment_(std::move(environment)), prompter_(prompter),
      machine_(environment_.instructionSet, prompter, environment_.store) {
    machine_.SetRegisterInitValue(0);
}

void SimulatorDocument::AddView(SimulatorView& view) {
    views_.push_back(&view);
}

void SimulatorDocument::RemoveView(SimulatorView& view) {
    std::erase(views_, &view);
}

void SimulatorDocument::UpdateAllViews() {
    for (SimulatorView* view : views_)
        view->OnUpdate();
}

void SimulatorDocument::Message(const std::string& text) {
    prompter_.message(text, caption());
}

void SimulatorDocument::OnStep() {
    machine_.Step();
    UpdateAllViews();
}

void SimulatorDocument::OnRunSteps() {
    const auto text = prompter_.askOneValue("Enter number of steps to run:", "", "");
    if (!text) return;
    const auto steps = CheckedNumber(*text, prompter_, caption());
    if (!steps) return;
    for (int32_t i = 0; i < *steps; ++i)
        machine_.Step();
    UpdateAllViews();
}

void SimulatorDocument::RunUntil(const std::function<bool()>& stop) {
    const auto askEvery = static_cast<uint32_t>(std::max(1, environment_.instructionSet.stepsUntilMsg));
    uint32_t n = 0;
    while (!stop()) {
        ++n;
        if (n % askEvery == 0 && !prompter_.askYesNo(StepsPassedText(n), caption())) break;
        machine_.Step();
    }
    UpdateAllViews();
}

void SimulatorDocument::OnRunUntilHalt() {
    RunUntil([this] { return machine_.Halted; });
}

void SimulatorDocument::OnRunUntilPc() {
    const auto text = prompter_.askOneValue("Enter PC stop address:", "Address:", "");
    if (!text) return;
    const auto target = CheckedNumber(*text, prompter_, caption());
    if (!target) return;
    if (*target < 0) return Message(kInvalidAddress);
    RunUntil([this, pc = *target] { return machine_.PC == pc; });
}

void SimulatorDocument::OnRunUntilReg() {
    const auto texts =
        prompter_.askTwoValues("Enter register num and stop value:", "Reg Num:", "Value:", "", "");
    if (!texts) return;
    const auto number = CheckedNumber(texts->first, prompter_, caption());
    if (!number) return;
    const auto value = CheckedNumber(texts->second, prompter_, caption());
    if (!value) return;
    if (static_cast<uint32_t>(*number) > 31u) return Message(kInvalidRegister);
    RunUntil([this, i = *number, v = *value] { return machine_.GetRegister(i) == v; });
}

void SimulatorDocument::OnRunUntilMemory() {
    const auto texts = prompter_.askTwoValues("Enter address and stop value:", "Address:", "Value:", "", "");
    if (!texts) return;
    const auto address = CheckedNumber(texts->first, prompter_, caption());
    if (!address) return;
    const auto value = CheckedNumber(texts->second, prompter_, caption());
    if (!value) return;
    if (*address < 0) return Message(kInvalidAddress);
    RunUntil([this, a = *address, v = *value] { return machine_.ReadMemory(a) == v; });
}

void SimulatorDocument::OnReset() {
    machine_.Reset();
    UpdateAllViews();
}

void SimulatorDocument::OnResetRegisters() {
    machine_.ResetRegisters();
    UpdateAllViews();
}

void SimulatorDocument::OnJumpTo() {
    const auto text = prompter_.askOneValue("Enter jump target address:", "Address:", "");
    if (text) {
        const auto target = CheckedNumber(*text, prompter_, caption());
        if (!target) return;
        machine_.JumpTo(*target);
    }
    UpdateAllViews();
}

void SimulatorDocument::OnFillMemory() {
    const auto range = prompter_.askTwoValues("Enter memory address area:", "Min:", "Max:", "", "");
    if (!range) return UpdateAllViews();
    const auto valueText = prompter_.askOneValue("Enter the new value:", "Value:", "");
    if (!valueText) return UpdateAllViews();
    const auto min = CheckedNumber(range->first, prompter_, caption());
    if (!min) return;
    const auto max = CheckedNumber(range->second, prompter_, caption());
    if (!max) return;
    const auto value = CheckedNumber(*valueText, prompter_, caption());
    if (!value) return;
    if (*min < 0 || *max < 0) return Message(kInvalidAddress);
    if (int64_t{*max} - *min >= kLargestFill) return Message(kFillTooLarge);
    // Counted in 64 bits, so a range that ends at the largest address ends.
    for (int64_t address = *min; address <= *max; ++address)
        machine_.WriteMemory(static_cast<int32_t>(address), *value);
    UpdateAllViews();
}

std::filesystem::path SimulatorDocument::WorkFile(const std::string& name) const {
    return environment_.directory / name;
}

} // namespace vorn::simulator
