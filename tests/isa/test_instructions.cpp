#include "LabProgram.h"
#include "isa/Command.h"
#include "text/BitField.h"

#include <gtest/gtest.h>
#include <random>

using namespace vorn::isa;
using vorn::testing::LabInstructionSet;
using vorn::text::GetBitField;

// Random operands for every row, in the order of its args: the word decodes to the same row
// and operands, and an R word keeps bits 10..6 clear.
TEST(LabInstructionSet, EveryRowEncodesAndDecodesToItself) {
    const InstructionSet& set = LabInstructionSet();
    std::mt19937 random(7);
    for (int32_t row = 0; row + 1 < set.count(); ++row)
        for (int trial = 0; trial < 50; ++trial) {
            const CommandRecord& record = set.commands[row];
            std::vector<int32_t> operands, decoded;
            for (int32_t kind : record.operandKinds)
                operands.push_back(
                    static_cast<int32_t>(kind == Imm ? random() % 65536 - 32768 : random() % 32));
            const uint32_t word = vorn::testing::EncodeLine(set, {record.name, operands});
            auto command = DecodeInstruction(set, word);
            ASSERT_TRUE(command && command->FindRow(set) == row) << record.name;
            for (size_t i = 0; i < operands.size(); ++i) {
                const int32_t kind = record.operandKinds[i];
                decoded.push_back(kind == RD    ? command->rd
                                  : kind == RS1 ? command->rs1
                                  : kind == RS2 ? static_cast<Rtype&>(*command).rs2
                                  : kind == Imm ? static_cast<Itype&>(*command).imm
                                                : operands[i]);
            }
            EXPECT_EQ(decoded, operands) << record.name;
            EXPECT_TRUE(record.type != "R" || GetBitField(6, 10, word) == 0u) << record.name;
        }
}

// An immediate keeps its low 16 bits, a register its low five. Words that no row fits decode to
// nothing; fields the assembler never sets are proven by its encoding test.
TEST(Encoding, FieldRulesAndWordsNoRowFits) {
    const InstructionSet& set = LabInstructionSet();
    Itype addi;
    SetOperand(addi, RD, 1);
    SetOperand(addi, RS1, 2);
    SetOperand(addi, Imm, 0x1FFFF);
    EXPECT_EQ(EncodeInstruction(set, "addi", addi), (0x08u << 26) | (2u << 21) | (1u << 16) | 0xFFFFu);
    EXPECT_EQ(addi.imm, -1);
    Rtype add;
    add.rd = 33;
    EXPECT_EQ(GetBitField(11, 15, *EncodeInstruction(set, "add", add)), 1u);
    EXPECT_FALSE(EncodeInstruction(set, "frobnicate", addi).has_value());
    EXPECT_FALSE(DecodeInstruction(set, 0x3Eu << 26)); // no I row with opcode 111110
    EXPECT_FALSE(DecodeInstruction(set, 0x3Fu));       // no R row with function 111111
    EXPECT_TRUE(static_cast<Itype&>(*DecodeInstruction(set, 0x04u << 26)).immSet);
}

TEST(Lookups, FirstMatchAndTypeMatter) {
    InstructionSet set;
    set.commands.assign(3, CommandRecord{});
    set.commands[0] = {"I", "ione", "000101", "100000", "nop", "0", false, {}};
    set.commands[1] = {"R", "rone", "000000", "100000", "nop", "0", false, {}};
    set.commands[2] = {"R", "rtwo", "000000", "100000", "nop", "0", false, {}};
    // Searched row by row, then through the index that the load builds.
    for (int indexed = 0; indexed < 2; ++indexed, set.IndexRows()) {
        EXPECT_EQ(set.FindCommandByBits(0, "100000"), 1);
        EXPECT_EQ(set.FindCommandByBits(1, "000101"), 0);
        EXPECT_EQ(set.FindCommandByBits(1, "000000"), -1);
        EXPECT_EQ(set.FindCommandByCode(0, 32), 1);
        EXPECT_EQ(set.FindCommandByCode(1, 0x45), 0); // only the low six bits count
        EXPECT_EQ(set.FindCommandByBits(1, ""), -1);
    }
    set.commands.push_back({});
    EXPECT_EQ(set.FindCommandByName(""), 3);
    EXPECT_EQ(set.FindCommandByName("zzz"), 4);
    EXPECT_EQ(BitsText(8), "001000");
}

TEST(Lookups, RegisterOperands) {
    InstructionSet set;
    const auto registers = [&](std::initializer_list<const char*> names) {
        std::string which;
        for (const char* name : names)
            which += set.IsRegisterOperand(name) ? "1" : "0";
        return which;
    };
    EXPECT_EQ(registers({"R31", "r5", "R0", "R001", "r07", "r000000000031"}), "111111");
    EXPECT_EQ(registers({"R32", "R3x", "R", "R4294967299", "R4294967296", "X3", "R032", "f3"}), "00000000");
    set.registerFiles.push_back({"MX", {}});
    set.registerFiles.push_back({"MF", {}});
    EXPECT_EQ(registers({"X3", "f3"}), "11");
}
