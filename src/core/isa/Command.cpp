#include "isa/Command.h"

#include "text/BitField.h"
#include "text/Text.h"

namespace vorn::isa {

using text::GetBitField;
using text::SetBitField;

int32_t Command::FindRow(const InstructionSet& set) const {
    if (IsRType()) return set.FindCommandByBits(0, static_cast<const Rtype&>(*this).function);
    return set.FindCommandByBits(1, opcode);
}

void SetOperand(Command& instruction, int32_t operand, int32_t value) {
    switch (operand) {
    case RD:
        instruction.rd = value;
        break;
    case RS1:
        instruction.rs1 = value;
        break;
    case RS2:
        if (auto* r = dynamic_cast<Rtype*>(&instruction)) r->rs2 = value;
        break;
    case Imm:
        if (auto* i = dynamic_cast<Itype*>(&instruction)) {
            i->imm = value;
            i->immSet = true;
        }
        break;
    default:
        break;
    }
}

std::optional<uint32_t> EncodeInstruction(const InstructionSet& set, const std::string& mnemonic,
                                          Command& instruction) {
    const int32_t row = set.FindCommandByName(mnemonic);
    if (row >= set.count()) return std::nullopt;
    const CommandRecord& record = set.commands[row];
    uint32_t word = 0;
    if (!instruction.IsRType()) {
        auto& itype = static_cast<Itype&>(instruction);
        SetBitField(26, 31, word, BitsValue(record.opcode));
        SetBitField(16, 20, word, static_cast<uint32_t>(itype.rd));
        SetBitField(21, 25, word, static_cast<uint32_t>(itype.rs1));
        itype.imm = text::SignExtend16(static_cast<uint16_t>(itype.imm & 0xFFFF));
        SetBitField(0, 15, word, static_cast<uint32_t>(itype.imm));
    } else {
        auto& rtype = static_cast<Rtype&>(instruction);
        SetBitField(0, 5, word, BitsValue(record.function));
        SetBitField(11, 15, word, static_cast<uint32_t>(rtype.rd));
        SetBitField(21, 25, word, static_cast<uint32_t>(rtype.rs1));
        SetBitField(16, 20, word, static_cast<uint32_t>(rtype.rs2));
    }
    return word;
}

std::shared_ptr<Command> DecodeInstruction(const InstructionSet& set, uint32_t word) {
    const uint32_t opcode = GetBitField(26, 31, word);
    if (opcode != 0) {
        const int32_t row = set.FindCommandByCode(1, opcode);
        if (row < 0) return nullptr;
        auto itype = std::make_shared<Itype>();
        itype->opcode = set.commands[row].opcode;
        itype->rd = static_cast<int32_t>(GetBitField(16, 20, word));
        itype->rs1 = static_cast<int32_t>(GetBitField(21, 25, word));
        itype->imm = text::SignExtend16(static_cast<uint16_t>(GetBitField(0, 15, word)));
        itype->immSet = true;
        return itype;
    }
    const int32_t row = set.FindCommandByCode(0, GetBitField(0, 5, word));
    if (row < 0) return nullptr;
    auto rtype = std::make_shared<Rtype>();
    rtype->opcode = "000000";
    rtype->function = set.commands[row].function;
    rtype->rd = static_cast<int32_t>(GetBitField(11, 15, word));
    rtype->rs1 = static_cast<int32_t>(GetBitField(21, 25, word));
    rtype->rs2 = static_cast<int32_t>(GetBitField(16, 20, word));
    return rtype;
}

} // namespace vorn::isa
