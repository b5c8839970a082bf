#include "board/DlxMachine.h"

#include <utility>

namespace vorn::board {

DlxMachine::DlxMachine(isa::InstructionSet instructions)
    : instructions_(std::move(instructions)), machine_(instructions_, prompter_) {}

uint32_t DlxMachine::Step() {
    const auto pc = static_cast<uint32_t>(machine_.PC);
    const auto registersBefore = machine_.RegisterFiles()[0].cells;
    machine_.Step();
    const isa::MemoryRecord* record = machine_.FindInstruction(static_cast<int32_t>(pc));
    const bool rType = record && record->instruction && record->instruction->IsRType() == 1;
    const bool jump = !machine_.Halted && Pc() != pc + 1;
    const bool registerWrite = machine_.RegisterFiles()[0].cells != registersBefore;
    return (Pc() & 0xFF) | (machine_.Halted ? HaltSignal : 0) | (rType ? RTypeSignal : 0) |
           (jump ? JumpSignal : 0) | (registerWrite ? RegisterWriteSignal : 0);
}

uint32_t DlxMachine::ReadRegister(uint32_t index) {
    return static_cast<uint32_t>(machine_.GetRegister(static_cast<int32_t>(index)));
}

uint32_t DlxMachine::ReadMemory(uint32_t address) {
    return static_cast<uint32_t>(machine_.ReadMemory(static_cast<int32_t>(address)));
}

void DlxMachine::WriteMemory(uint32_t address, uint32_t value) {
    const auto word = static_cast<int32_t>(address);
    // An image ends at a record of address -1, so that word can only be data.
    machine_.WriteMemory(word, static_cast<int32_t>(value));
    machine_.LoadProgram({isa::MemoryRecord{word, value}});
}

} // namespace vorn::board
