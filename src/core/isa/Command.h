#pragma once
// Instruction objects and the 32-bit instruction word. Opcode 000000 is the R shape
// (RS1 25..21, RS2 20..16, RD 15..11, function 5..0); any other opcode the I shape
// (RS1 25..21, RD 20..16, sign-extended immediate 15..0).
//
// An object carries no mnemonic: its row is found again from its opcode bits (I) or its
// function bits (R). Objects are shared by the records that hold them (std::shared_ptr).

#include "Prompter.h"
#include "isa/InstructionSet.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vorn::isa {

class Command {
  public:
    virtual ~Command() = default;
    // 1 for an Rtype, 0 for an Itype.
    virtual int IsRType() const = 0;

    std::string GetOpcode() const { return opcode; }
    // The row of the instruction set that this object belongs to, -1 when none fits.
    int32_t FindRow(const InstructionSet& set) const;
    // The assembly text of the instruction standing at a word address. Operand kinds that do
    // not fit the shape show "default case- ERROR!!!!!!" and are left out.
    std::string Disassemble(const InstructionSet& set, int32_t address, Prompter& prompter) const;

    std::string opcode;
    int32_t rd = -1;
    int32_t rs1 = -1;
};

class Rtype : public Command {
  public:
    int IsRType() const override { return 1; }
    std::string GetFunction() const { return function; }

    std::string function;
    int32_t rs2 = -1;
};

class Itype : public Command {
  public:
    int IsRType() const override { return 0; }

    int32_t imm = 0;
    bool immSet = false;
};

// Stores a value into operand RD (1), RS1 (2), RS2 (3, an Rtype) or imm (4, an Itype);
// any other combination leaves the object unchanged.
void SetOperand(Command& instruction, int32_t operand, int32_t value);

// The word of an instruction whose mnemonic is given (the fixed bits come from that row).
// Nothing when the mnemonic names no command. An Itype's imm is left holding the value the
// word carries (its low 16 bits, sign-extended).
std::optional<uint32_t> EncodeInstruction(const InstructionSet& set, const std::string& mnemonic,
                                          Command& instruction);

// A new Rtype or Itype for a word, or nothing when no row fits it.
std::shared_ptr<Command> DecodeInstruction(const InstructionSet& set, uint32_t word);

// The register-file prefix of an operand ("R" for MR[RD]) taken from the row's action text.
std::string EnclosingArrayName(const InstructionSet& set, int32_t row, const std::string& operandName);

} // namespace vorn::isa
