#pragma once
// The DLX CPU of the load/store design: the instruction set of commands.xml executed on a
// machine of its own, never the simulator's. The host's words go into the CPU's memory as a
// one-word image each, so the CPU meets a program exactly as the simulator meets a loaded
// .cod: a word is decoded when the PC first reaches it. Its registers are read-only to the
// host.
//
// The logic analyser's sample of a step (the names of the lab's graphic labels):
//   bits 0-7 PC0..PC7  the PC after the step      bit 9  RTYPE     an R-type was executed
//   bit 8    HALT      the CPU is halted          bit 10 JUMP      the PC did not just advance
//                                                 bit 11 REGWRITE  a general register changed

#include "SilentPrompter.h"
#include "board/DesignMachine.h"
#include "isa/InstructionSet.h"
#include "isa/MachineState.h"

namespace vorn::board {

class DlxMachine : public DesignMachine {
  public:
    static constexpr uint32_t HaltSignal = 1u << 8;
    static constexpr uint32_t RTypeSignal = 1u << 9;
    static constexpr uint32_t JumpSignal = 1u << 10;
    static constexpr uint32_t RegisterWriteSignal = 1u << 11;

    explicit DlxMachine(isa::InstructionSet instructions);
    DlxMachine(const DlxMachine&) = delete;
    DlxMachine& operator=(const DlxMachine&) = delete;

    uint32_t Step() override;
    void Reset() override { machine_.Reset(); }
    bool Halted() const override { return machine_.Halted; }
    uint32_t Pc() const override { return static_cast<uint32_t>(machine_.PC); }
    uint32_t ReadRegister(uint32_t index) override;
    void WriteRegister(uint32_t, uint32_t) override {}
    uint32_t ReadMemory(uint32_t address) override;
    void WriteMemory(uint32_t address, uint32_t value) override;

  private:
    isa::InstructionSet instructions_;
    SilentPrompter prompter_;
    isa::MachineState machine_;
};

} // namespace vorn::board
