#include "isa/Command.h"
#include "text/Text.h"

namespace vorn::isa {

namespace {

// What an object shows whose opcode or function bits fit no row of the instruction set.
constexpr const char* UnknownInstructionText = "unknown instruction";

std::string RegisterOperand(const InstructionSet& set, int32_t row, const char* operandName, int32_t number) {
    return " " + EnclosingArrayName(set, row, operandName) + text::IntToText(number);
}

} // namespace

std::string Command::Disassemble(const InstructionSet& set, int32_t address, Prompter& prompter) const {
    const int32_t row = FindRow(set);
    if (row < 0) return UnknownInstructionText;
    const CommandRecord& record = set.commands[row];
    const auto* rtype = IsRType() ? static_cast<const Rtype*>(this) : nullptr;
    const auto* itype = IsRType() ? nullptr : static_cast<const Itype*>(this);
    std::string line = record.name;
    for (int32_t kind : record.operandKinds) {
        if (kind == None) continue;
        if (kind == RD) {
            line += RegisterOperand(set, row, "RD", rd);
        } else if (kind == RS1) {
            line += RegisterOperand(set, row, "RS1", rs1);
        } else if (kind == RS2 && rtype) {
            line += RegisterOperand(set, row, "RS2", rtype->rs2);
        } else if (kind == Imm && itype) {
            // A branch shows the address it continues at: the step adds one after the action.
            const uint32_t shown =
                record.isbranch ? static_cast<uint32_t>(address) + static_cast<uint32_t>(itype->imm) + 1u
                                : static_cast<uint32_t>(itype->imm);
            line += " " + text::Hex16Text(shown);
        } else {
            prompter.message("default case- ERROR!!!!!!", "");
        }
    }
    return line;
}

std::string EnclosingArrayName(const InstructionSet& set, int32_t row, const std::string& operandName) {
    if (row < 0 || row >= set.count()) return "";
    const std::string& action = set.commands[row].action;
    const size_t operand = action.find(operandName);
    if (operand == std::string::npos) return action;
    size_t open = operand;
    for (int depth = 1;; --open) {
        if (action[open] == '[')
            --depth;
        else if (action[open] == ']')
            ++depth;
        if (depth == 0) break;
        if (open == 0) return action;
    }
    if (open == 0) return "error";
    // The file's name starts after the 'M' that begins a word: "MR[RD]" gives "R".
    size_t m = open - 1;
    while (m > 0 && !(action[m] == 'M' && !text::IsLetter(action[m - 1])))
        --m;
    return action.substr(m + 1, open - m - 1);
}

} // namespace vorn::isa
