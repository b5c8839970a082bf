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
    for (int32_t row = 0; row + 1 < set.count(); ++row) {
        const CommandRecord& record = set.commands[row];
        for (int trial = 0; trial < 50; ++trial) {
            std::vector<int32_t> operands;
            for (int32_t kind : record.operandKinds)
                operands.push_back(
                    static_cast<int32_t>(kind == Imm ? random() % 65536 - 32768 : random() % 32));
            const uint32_t word = vorn::testing::EncodeLine(set, {record.name, operands});
            auto decoded = DecodeInstruction(set, word);
            ASSERT_TRUE(decoded) << record.name;
            EXPECT_EQ(decoded->FindRow(set), row) << record.name;
            for (size_t i = 0; i < operands.size(); ++i) {
                const int32_t kind = record.operandKinds[i];
                const int32_t got = kind == RD    ? decoded->rd
                                    : kind == RS1 ? decoded->rs1
                                    : kind == RS2 ? static_cast<Rtype&>(*decoded).rs2
                                    : kind == Imm ? static_cast<Itype&>(*decoded).imm
                                                  : operands[i];
                EXPECT_EQ(got, operands[i]) << record.name << " operand " << i;
            }
            EXPECT_TRUE(record.type != "R" || GetBitField(6, 10, word) == 0u) << record.name;
        }
    }
}

TEST(Encoding, FieldRulesAndWordsNoRowFits) {
    const InstructionSet& set = LabInstructionSet();
    Itype addi;
    SetOperand(addi, RD, 1);
    SetOperand(addi, RS1, 2);
    SetOperand(addi, Imm, 0x1FFFF);
    auto word = EncodeInstruction(set, "addi", addi);
    ASSERT_TRUE(word);
    EXPECT_EQ(*word, (0x08u << 26) | (2u << 21) | (1u << 16) | 0xFFFFu);
    EXPECT_EQ(addi.imm, -1);

    Rtype add; // registers never set encode as 31
    EXPECT_EQ(EncodeInstruction(set, "add", add), (31u << 21) | (31u << 16) | (31u << 11) | 0x20u);
    add.rd = 33;
    EXPECT_EQ(GetBitField(11, 15, *EncodeInstruction(set, "add", add)), 1u);

    Itype halt; // no immediate given: bits 15..0 stay 0
    EXPECT_EQ(GetBitField(0, 15, *EncodeInstruction(set, "halt", halt)), 0u);
    EXPECT_FALSE(EncodeInstruction(set, "frobnicate", halt).has_value());
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
    const auto check = [&](std::initializer_list<const char*> names, bool registers) {
        for (const char* name : names)
            EXPECT_EQ(set.IsRegisterOperand(name), registers) << name;
    };
    check({"R31", "r5", "R0", "R001", "r07", "r000000000031"}, true);
    check({"R32", "R3x", "R", "R4294967299", "R4294967296", "X3", "R032"}, false);
    set.registerFiles.push_back({"MX", {}});
    set.registerFiles.push_back({"MF", {}});
    check({"X3", "f3"}, true);
}
