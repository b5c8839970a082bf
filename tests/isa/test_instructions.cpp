#include "LabProgram.h"
#include "isa/Command.h"
#include "text/BitField.h"

#include <gtest/gtest.h>
#include <random>

using namespace vorn::isa;
using vorn::testing::LabInstructionSet;
using vorn::text::GetBitField;

namespace {

int32_t Pick(int32_t kind, int32_t rd, int32_t rs1, int32_t rs2, int32_t imm) {
    return kind == RD ? rd : kind == RS1 ? rs1 : kind == RS2 ? rs2 : kind == Imm ? imm : 0;
}

std::shared_ptr<Command> Build(const CommandRecord& row, int32_t rd, int32_t rs1, int32_t rs2, int32_t imm) {
    std::shared_ptr<Command> command;
    if (row.type == "R")
        command = std::make_shared<Rtype>();
    else
        command = std::make_shared<Itype>();
    for (int32_t kind : row.operandKinds)
        SetOperand(*command, kind, Pick(kind, rd, rs1, rs2, imm));
    return command;
}

} // namespace

TEST(LabInstructionSet, EveryRowEncodesAndDecodesToItself) {
    const InstructionSet& set = LabInstructionSet();
    std::mt19937 random(7);
    for (int32_t row = 0; row + 1 < set.count(); ++row) {
        const CommandRecord& record = set.commands[row];
        for (int trial = 0; trial < 50; ++trial) {
            const int32_t rd = static_cast<int32_t>(random() % 32), rs1 = static_cast<int32_t>(random() % 32),
                          rs2 = static_cast<int32_t>(random() % 32);
            const int32_t imm = static_cast<int32_t>(random() % 65536) - 32768;
            auto command = Build(record, rd, rs1, rs2, imm);
            auto word = EncodeInstruction(set, record.name, *command);
            ASSERT_TRUE(word.has_value());
            auto decoded = DecodeInstruction(set, *word);
            ASSERT_TRUE(decoded) << record.name;
            EXPECT_EQ(decoded->FindRow(set), row) << record.name;
            for (int32_t kind : record.operandKinds) {
                const int32_t got = kind == RD    ? decoded->rd
                                    : kind == RS1 ? decoded->rs1
                                    : kind == RS2 ? static_cast<Rtype&>(*decoded).rs2
                                    : kind == Imm ? static_cast<Itype&>(*decoded).imm
                                                  : 0;
                EXPECT_EQ(got, Pick(kind, rd, rs1, rs2, imm)) << record.name << " operand kind " << kind;
            }
            EXPECT_TRUE(record.type != "R" || GetBitField(6, 10, *word) == 0u) << record.name;
        }
    }
}

TEST(Encoding, FieldRules) {
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
}

TEST(Decoding, ShapesAndMisses) {
    const InstructionSet& set = LabInstructionSet();
    auto nop = DecodeInstruction(set, 0);
    ASSERT_TRUE(nop);
    EXPECT_EQ(set.commands[nop->FindRow(set)].name, "nop");
    EXPECT_FALSE(DecodeInstruction(set, 0x3Eu << 26)); // no I row with opcode 111110
    EXPECT_FALSE(DecodeInstruction(set, 0x3Fu));       // no R row with function 111111
    auto beqz = DecodeInstruction(set, (0x04u << 26) | 0xFFFDu);
    ASSERT_TRUE(beqz);
    EXPECT_EQ(static_cast<Itype&>(*beqz).imm, -3);
    EXPECT_TRUE(static_cast<Itype&>(*beqz).immSet);
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
    for (const char* name : {"R31", "r5", "R0", "R001", "r07", "r000000000031"})
        EXPECT_TRUE(set.IsRegisterOperand(name)) << name;
    for (const char* name : {"R32", "R3x", "R", "R4294967299", "R4294967296", "X3", "R032"})
        EXPECT_FALSE(set.IsRegisterOperand(name)) << name;
    set.registerFiles.push_back({"MX", {}});
    set.registerFiles.push_back({"MF", {}});
    EXPECT_TRUE(set.IsRegisterOperand("X3"));
    EXPECT_TRUE(set.IsRegisterOperand("f3"));
}
