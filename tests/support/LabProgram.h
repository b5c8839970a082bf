#pragma once
// The lab's instruction set (lab/commands.xml), loaded once per test program, and instruction
// words built from a mnemonic and its operands in the order of the row's args.

#include "isa/Command.h"
#include "isa/LoadCommands.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace vorn::testing {

inline const isa::InstructionSet& LabInstructionSet() {
    static const isa::InstructionSet set = [] {
        auto result = isa::LoadCommands(std::string(VORN_SOURCE_DIR) + "/lab/commands.xml");
        if (!result.ok()) throw std::runtime_error(result.fault().text);
        return result.value();
    }();
    return set;
}

// One source line: the mnemonic and its operands in the order of the row's args.
struct Line {
    std::string mnemonic;
    std::vector<int32_t> operands;
};

inline uint32_t EncodeLine(const isa::InstructionSet& set, const Line& line) {
    const int32_t row = set.FindCommandByName(line.mnemonic);
    if (row >= set.count() - 1) throw std::invalid_argument("no row " + line.mnemonic);
    std::shared_ptr<isa::Command> command;
    if (set.commands[row].type == "R")
        command = std::make_shared<isa::Rtype>();
    else
        command = std::make_shared<isa::Itype>();
    for (size_t i = 0; i < line.operands.size() && i < 3; ++i)
        isa::SetOperand(*command, set.commands[row].operandKinds[i], line.operands[i]);
    return *isa::EncodeInstruction(set, line.mnemonic, *command);
}

} // namespace vorn::testing
