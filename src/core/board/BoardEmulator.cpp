#include "board/BoardEmulator.h"

#include "board/CounterMachine.h"
#include "board/DlxMachine.h"

namespace vorn::board {

namespace {

constexpr uint32_t CpuControl = 0x04;
constexpr uint32_t ResetLine = 0x08;
constexpr uint32_t StepLine = 0x10;
constexpr uint32_t RunLine = 0x20;
constexpr uint32_t AccessPhase = 0x03;
constexpr uint32_t ReadAccess = 0x00;
constexpr uint32_t WriteAddress = 0x01;
constexpr uint32_t WriteData = 0x03;

constexpr uint8_t AccessDone = 0x03;
constexpr uint8_t StepDone = 0x0C;
constexpr uint8_t RunStarted = 0x04;
constexpr uint8_t RunEnded = 0x08;
constexpr uint32_t StatusHalted = 0x100;

constexpr uint32_t RegisterCount = 32;

} // namespace

BoardEmulator::BoardEmulator() {
    Configure(LoadStoreDesign(), isa::InstructionSet{});
}

void BoardEmulator::Configure(const BoardDesign& design, isa::InstructionSet instructions) {
    std::lock_guard lock(mutex_);
    design_ = design;
    if (design.HasCpu())
        machine_ = std::make_unique<DlxMachine>(std::move(instructions));
    else
        machine_ = std::make_unique<CounterMachine>();
    analyser_.Clear();
    command_ = writeAddress_ = data_ = 0;
    status_ = 0;
    resetLevel_ = stepLevel_ = runLevel_ = freeRunning_ = false;
}

void BoardEmulator::Write(uint32_t first, uint32_t second, uint32_t control) {
    std::lock_guard lock(mutex_);
    const uint32_t value = (first & 0xFFFF) | (second & 0xFFFF) << 16;
    SetLevels(control & 0xFF);
    if (control & CpuControl) return;
    switch (control & AccessPhase) {
    case ReadAccess:
        data_ = ReadBus(value);
        status_ ^= AccessDone;
        break;
    case WriteAddress:
        writeAddress_ = value;
        break;
    case WriteData:
        WriteBus(writeAddress_, value);
        status_ ^= AccessDone;
        break;
    default: // no phase of the design
        break;
    }
}

uint64_t BoardEmulator::Read() {
    std::lock_guard lock(mutex_);
    // A halted CPU executes nothing, so a run started on one ends before its first step.
    for (int step = 0; freeRunning_ && step < RunSlice; ++step) {
        if (machine_->Halted()) {
            EndRun();
            break;
        }
        Record(machine_->Step());
    }
    return data_ | static_cast<uint64_t>(status_) << 32;
}

// The reset line is driven only by CPU control bytes; the run line by every byte, so that a
// memory access without 0x20 ends a free run; a step is the rising edge of its line.
void BoardEmulator::SetLevels(uint32_t control) {
    const bool wasRunning = RunActive();
    if (control & CpuControl) {
        const bool reset = control & ResetLine;
        if (reset && !resetLevel_) {
            machine_->Reset();
            analyser_.Clear();
        }
        resetLevel_ = reset;
    }
    runLevel_ = control & RunLine;
    if (!wasRunning && RunActive()) {
        freeRunning_ = true;
        status_ ^= RunStarted;
    } else if (wasRunning && !RunActive()) {
        EndRun();
    }
    const bool step = control & StepLine;
    if (step && !stepLevel_) ClockStep();
    stepLevel_ = step;
}

// A clock step while the reset line is held keeps the machine in reset.
void BoardEmulator::ClockStep() {
    if (resetLevel_)
        machine_->Reset();
    else
        Record(machine_->Step());
    status_ ^= StepDone;
}

void BoardEmulator::EndRun() {
    if (!freeRunning_) return;
    freeRunning_ = false;
    status_ ^= RunEnded;
}

void BoardEmulator::Record(uint32_t sample) {
    if (design_.HasAnalyser()) analyser_.Record(sample);
}

uint32_t BoardEmulator::ReadBus(uint32_t address) {
    if (design_.HasRam() && address >= design_.ramStart && address <= design_.ramEnd)
        return machine_->ReadMemory(address);
    if (address - design_.registers < RegisterCount)
        return machine_->ReadRegister(address - design_.registers);
    if (design_.HasAnalyser() && address - design_.analyser < LogicAnalyser::Capacity)
        return analyser_.Sample(address - design_.analyser);
    if (address == design_.pc) return machine_->Pc();
    if (address == design_.status) return analyser_.Count() | (machine_->Halted() ? StatusHalted : 0);
    if (address == design_.command) return command_;
    return 0;
}

// Words outside RAM, the registers and COMMAND are not stored: their read-back differs.
void BoardEmulator::WriteBus(uint32_t address, uint32_t value) {
    if (design_.HasRam() && address >= design_.ramStart && address <= design_.ramEnd)
        machine_->WriteMemory(address, value);
    else if (address - design_.registers < RegisterCount)
        machine_->WriteRegister(address - design_.registers, value);
    else if (address == design_.command)
        command_ = value;
}

} // namespace vorn::board
