// The encoding pass of the Compiler: one memory record per line that has a word address.
// Labels become word addresses: absolute in a three-operand I-type instruction and in "dc",
// relative to the next instruction in one- and two-operand I-type instructions.

#include "assembler/Compiler.h"
#include "assembler/SourceNumbers.h"
#include "text/Text.h"

namespace vorn::assembler {

using namespace vorn::text;

bool Compiler::EncodeLines(const std::vector<std::string>& lines) {
    for (size_t n = 1; n <= lines.size(); ++n) {
        const int32_t address = lineAddress_[n];
        if (address < 0) continue;
        const std::string& line = lines[n - 1];
        int position = 0;
        std::string mnemonic = NextWord(line, position);
        isa::MemoryRecord record;
        if (IsLabel(mnemonic)) {
            record.text = mnemonic.substr(0, mnemonic.size() - 1);
            mnemonic = NextWord(line, position);
        }
        record.address = address;
        if (mnemonic == "dc") {
            record.word = DcWord(NextWord(line, position));
        } else {
            const isa::CommandRecord& row = set_.commands[set_.FindCommandByName(mnemonic)];
            if (row.type == "R")
                record.instruction = BuildRtype(line, row, position);
            else
                record.instruction = BuildItype(line, row, position, address, static_cast<int32_t>(n));
            if (!record.instruction) continue;
            // The row was found above, so the mnemonic always encodes.
            record.word = isa::EncodeInstruction(set_, mnemonic, *record.instruction).value_or(0);
        }
        image_.push_back(std::move(record));
    }
    return success_;
}

// A label operand is stored as its target address, or as the distance from the next
// instruction; either must fit the 16-bit immediate, or the line is refused.
std::shared_ptr<isa::Itype> Compiler::BuildItype(const std::string& line, const isa::CommandRecord& row,
                                                 int& position, int32_t address, int32_t lineNumber) {
    auto instruction = std::make_shared<isa::Itype>();
    instruction->opcode = row.opcode;
    const auto& kinds = row.operandKinds;
    const auto storeRegister = [&](int k) {
        isa::SetOperand(*instruction, kinds[k], RegisterNumber(NextWord(line, position)));
    };
    const auto storeImmediate = [&](int k, bool relative) {
        const std::string operand = NextWord(line, position);
        if (!IsLabelName(operand)) {
            isa::SetOperand(*instruction, kinds[k], NumberOperandValue(operand));
            return true;
        }
        const int64_t target = LabelAddress(ToLower(operand));
        const int64_t value = relative ? target - (int64_t{address} + 1) : target;
        const bool fits = relative ? (value >= -32768 && value <= 32767) : (value >= 0 && value <= 0xFFFF);
        if (!fits) {
            AddError(LineErrorText(lineNumber, line_code::ParameterIllegal(k + 1), row.name, {}));
            return false;
        }
        isa::SetOperand(*instruction, kinds[k], static_cast<int32_t>(value));
        return true;
    };

    bool stored = true;
    switch (DecimalToInt(row.numArgs)) {
    case 3:
        storeRegister(0);
        storeRegister(1);
        stored = storeImmediate(2, false);
        break;
    case 2:
        storeRegister(0);
        stored = storeImmediate(1, true);
        break;
    case 1:
        if (kinds[0] == isa::Imm)
            stored = storeImmediate(0, true);
        else
            storeRegister(0);
        break;
    default:
        break;
    }
    return stored ? instruction : nullptr;
}

std::shared_ptr<isa::Rtype> Compiler::BuildRtype(const std::string& line, const isa::CommandRecord& row,
                                                 int& position) {
    auto instruction = std::make_shared<isa::Rtype>();
    instruction->opcode = "000000";
    instruction->function = row.function;
    const int32_t count = DecimalToInt(row.numArgs);
    for (int k = 0; k < count && k < 3; ++k)
        isa::SetOperand(*instruction, row.operandKinds[k], RegisterNumber(NextWord(line, position)));
    return instruction;
}

// A label as written (the way the checker looked it up), else a number; the checker has
// refused every number that does not fit a word.
uint32_t Compiler::DcWord(const std::string& operand) const {
    if (IsLabelName(operand)) return static_cast<uint32_t>(LabelAddress(operand));
    return DcNumberValue(operand).value_or(0);
}

int32_t Compiler::LabelAddress(const std::string& name) const {
    const LabelEntry* entry = handler_.FindLabel(name);
    return entry ? lineAddress_[entry->value] : 0;
}

} // namespace vorn::assembler
