#pragma once
// The simulated DLX: program counter, halted flag, register files, variables, data memory and
// program map, and the step that executes one instruction by evaluating the action text of its
// row. The machine knows no instruction of its own.
//
// The instruction set must outlive the machine. The PC, the halted flag, the current register
// file, the register files, the variables and the data memory live in a MachineStore that
// several machines may share: every simulator window works on the one store of the process,
// each with its own program map and register fill value, while tests and the board emulator's
// CPU each run a private store. Not thread-safe.

#include "Prompter.h"
#include "isa/Command.h"
#include "isa/CompiledAction.h"
#include "isa/InstructionSet.h"
#include "isa/MemoryRecord.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::isa {

// The state that the simulator windows share: PC, halted flag, current register file,
// register files, variables and data memory. The instruction set's register files and
// variables are the initial state.
struct MachineStore {
    explicit MachineStore(const InstructionSet& set);

    int32_t PC = 0;
    bool Halted = false;
    int32_t CurrentRegisterFile = 0;
    std::vector<RegisterFile> registerFiles;
    std::vector<VarRecord> vars;
    std::map<int32_t, int32_t> dataMemory;
};

// A record's instruction as the machine prepared it at the record's first step: its row, its
// action with the operands put in and the compiled form of that action. An instruction object
// is complete before its record is loaded (the assembler and the decoder finish it first), so
// this holds as long as the record does.
struct PreparedInstruction {
    const Command* instruction = nullptr; // nullptr: not prepared yet
    int32_t row = -1;
    std::string action;
    std::optional<CompiledAction> compiled;
};

// A record of the program map and what the machine prepared for it; replacing the record
// drops both.
struct ProgramRecord : MemoryRecord {
    explicit ProgramRecord(const MemoryRecord& record) : MemoryRecord(record) {}
    PreparedInstruction prepared;
};

class MachineState {
  public:
    // What a register reads when it cannot be read (no current register file).
    static constexpr int32_t UnreadableRegister = static_cast<int32_t>(0xEEEEEEEEu);

    // A machine with a store of its own. The prompter shows the box of an empty action text
    // ("zero length").
    MachineState(const InstructionSet& set, Prompter& prompter);
    // A machine on a shared store.
    MachineState(const InstructionSet& set, Prompter& prompter, std::shared_ptr<MachineStore> store);
    MachineState(const MachineState&) = delete;
    MachineState& operator=(const MachineState&) = delete;

    const std::shared_ptr<MachineStore>& store() const { return store_; }

    const InstructionSet& instructionSet() const { return set_; }
    Prompter& prompter() const { return prompter_; }

    // Executes the program record at the PC (decoding its word once), then advances the PC
    // unless the machine is halted. An address without a record only advances the PC. What
    // never changes for a record (its row, its action with the operands put in, the compiled
    // form) is made at its first step and kept until the record is replaced.
    void Step();
    // The row's action of an instruction without blanks and with its operands put in.
    std::string SubstitutedAction(const Command& instruction, int32_t row) const;
    // Puts an image into data memory and the program map, record by record, up to the first
    // record at address -1. Nothing is cleared first.
    void LoadProgram(const std::vector<MemoryRecord>& records);
    // PC := 0 and the halted flag cleared; registers, memory and program stay.
    void Reset();
    // PC := address and the halted flag cleared.
    void JumpTo(int32_t address);

    // Stores the fill value and writes it into every cell of every register file; R0 of "MR"
    // stays 0.
    void SetRegisterInitValue(int32_t value);
    void ResetRegisters();
    int32_t FillValue() const { return fillValue_; }
    // Cell i of the current register file. Reads UnreadableRegister (and writes nothing) when
    // no valid file is current or i is outside 0..31; R0 of "MR" reads 0 and ignores writes.
    int32_t GetRegister(int32_t i) const;
    void SetRegister(int32_t i, int32_t value);

    // The program record stored at exactly that address, or nullptr.
    const MemoryRecord* FindInstruction(int32_t address) const;
    // Reading an absent address creates it with 0.
    int32_t ReadMemory(int32_t address);
    void WriteMemory(int32_t address, int32_t value);

    const std::vector<RegisterFile>& RegisterFiles() const { return store_->registerFiles; }
    const std::vector<VarRecord>& Vars() const { return store_->vars; }
    const std::map<int32_t, int32_t>& DataMemory() const { return store_->dataMemory; }
    const std::map<int32_t, ProgramRecord>& Program() const { return program_; }

    // The storage cells that action texts name; nullptr when there is no such cell.
    bool IsRegisterCell(int32_t file, int32_t index) const {
        return file >= 0 && file < static_cast<int32_t>(store_->registerFiles.size()) && index >= 0 &&
               index < 32;
    }
    int32_t* RegisterCell(int32_t file, int32_t index) {
        if (!IsRegisterCell(file, index)) return nullptr;
        return &store_->registerFiles[static_cast<size_t>(file)].cells[static_cast<size_t>(index)];
    }
    int32_t* VariableCell(std::string_view name);
    // The first variable of that name, or nullptr.
    const VarRecord* FindVariable(std::string_view name) const;
    // Creates an absent address with 0.
    int32_t& MemoryCell(int32_t address) { return store_->dataMemory[address]; }

  private:
    std::shared_ptr<MachineStore> store_;

  public:
    // Address of the next instruction, counted in words.
    int32_t& PC;
    // Set by "halt"; while set, a step does not advance the PC.
    bool& Halted;
    // Index of the register file that GetRegister and SetRegister address; -1 for none.
    int32_t& CurrentRegisterFile;

  private:
    void Prepare(ProgramRecord& record, const Command& instruction);

    const InstructionSet& set_;
    Prompter& prompter_;
    std::map<int32_t, ProgramRecord> program_;
    // The record of the last step: the next step usually finds its record there or after it.
    std::map<int32_t, ProgramRecord>::iterator last_ = program_.end();
    int32_t fillValue_ = 0;
};

} // namespace vorn::isa
