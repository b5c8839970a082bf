#pragma once
// Instruction words of the lab's instruction set (lab/commands.xml), built as the assembler
// builds them, for programs written straight into the board's memory.

#include "LabProgram.h"
#include "isa/Command.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace vorn::testing {

class DlxWords {
  public:
    uint32_t R(const std::string& name, int32_t rd, int32_t rs1, int32_t rs2) const {
        isa::Rtype instruction;
        instruction.rd = rd;
        instruction.rs1 = rs1;
        instruction.rs2 = rs2;
        return Encode(name, instruction);
    }
    uint32_t I(const std::string& name, int32_t rd, int32_t rs1, int32_t imm) const {
        isa::Itype instruction;
        instruction.rd = rd;
        instruction.rs1 = rs1;
        instruction.imm = imm;
        instruction.immSet = true;
        return Encode(name, instruction);
    }
    uint32_t Halt() const { return I("halt", 0, 0, 0); }
    const isa::InstructionSet& set() const { return set_; }

  private:
    uint32_t Encode(const std::string& name, isa::Command& instruction) const {
        const auto word = isa::EncodeInstruction(set_, name, instruction);
        EXPECT_TRUE(word.has_value()) << name;
        return word.value_or(0);
    }

    const isa::InstructionSet& set_ = LabInstructionSet();
};

} // namespace vorn::testing
