#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "isa/Command.h"
#include "text/BitField.h"

#include <gtest/gtest.h>
#include <random>

using namespace vorn::isa;
using vorn::testing::LabInstructionSet;
using vorn::testing::ScriptedPrompter;
using vorn::text::GetBitField;

// Random operands for every row, in the order of its args: the word decodes to the same row and
// an object that encodes to the same word, and an R word keeps bits 10..6 clear.
TEST(LabInstructionSet, EveryRowEncodesAndDecodesToItself) {
    const InstructionSet& set = LabInstructionSet();
    std::mt19937 random(7);
    for (int32_t row = 0; row + 1 < set.count(); ++row)
        for (int trial = 0; trial < 50; ++trial) {
            const CommandRecord& record = set.commands[row];
            std::vector<int32_t> operands;
            for (int32_t kind : record.operandKinds)
                operands.push_back(
                    static_cast<int32_t>(kind == Imm ? random() % 65536 - 32768 : random() % 32));
            const uint32_t word = vorn::testing::EncodeLine(set, {record.name, operands});
            auto command = DecodeInstruction(set, word);
            ASSERT_TRUE(command && command->FindRow(set) == row) << record.name;
            EXPECT_EQ(EncodeInstruction(set, record.name, *command), word) << record.name;
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
    EXPECT_EQ(GetBitField(11, 15, EncodeInstruction(set, "add", add).value_or(0)), 1u);
    EXPECT_FALSE(EncodeInstruction(set, "frobnicate", addi).has_value());
    EXPECT_FALSE(DecodeInstruction(set, 0x3Eu << 26)); // no I row with opcode 111110
    EXPECT_FALSE(DecodeInstruction(set, 0x3Fu));       // no R row with function 111111
    const auto beqz = std::dynamic_pointer_cast<Itype>(DecodeInstruction(set, 0x04u << 26));
    EXPECT_TRUE(beqz && beqz->immSet);
}

TEST(Lookups, FirstMatchAndTypeMatter) {
    InstructionSet set;
    set.commands = {{"I", "ione", "000101", "100000", "nop", "0", false, {}},
                    {"R", "rone", "000000", "100000", "nop", "0", false, {}},
                    {"R", "rtwo", "000000", "100000", "nop", "0", false, {}}};
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
    EXPECT_EQ(std::pair(set.FindCommandByName(""), set.FindCommandByName("zzz")), std::pair(3, 4));
    EXPECT_EQ(BitsText(8), "001000");
}

namespace {

InstructionSet DisassemblySet() {
    InstructionSet set;
    // clang-format off
    set.commands = {
        {"R", "add", "000000", "100000", "MR[RD]:=MR[RS1]+MR[RS2]", "3", false, {RD, RS1, RS2}},
        {"I", "addi", "001000", "000000", "MR[RD]:=MR[RS1]+imm", "3", false, {RD, RS1, Imm}},
        {"I", "beqz", "000100", "000000", "PC:=MR[RS1]==0?PC+imm:PC", "2", true, {RS1, Imm, None}},
        {"R", "fmov", "000000", "000001", "MF[RD]:=MR[RS1]", "2", false, {RD, RS1, None}},
        {"R", "nop", "000000", "000000", "nop", "0", false, {None, None, None}},
        {"R", "lower", "000000", "000010", "MR[rd]:=1", "1", false, {RD, None, None}},
        {"R", "front", "000000", "000011", "[RD]:=1", "1", false, {RD, None, None}},
        {"I", "mixed", "000111", "000000", "MR[RD]:=imm", "3", false, {RS2, 7, Imm}},
        {"R", "rimm", "000000", "000101", "MR[RD]:=MR[RS1]", "2", false, {Imm, RD, None}}, {}};
    // clang-format on
    set.registerFiles.push_back(RegisterFile{"MF", {}});
    return set;
}

uint32_t R(uint32_t function, uint32_t rd, uint32_t rs1, uint32_t rs2) {
    return (rs1 << 21) | (rs2 << 16) | (rd << 11) | function;
}
uint32_t I(uint32_t opcode, uint32_t rd, uint32_t rs1, int32_t imm) {
    return (opcode << 26) | (rs1 << 21) | (rd << 16) | (static_cast<uint32_t>(imm) & 0xFFFFu);
}

} // namespace

// Operands follow the row in order with the prefix of their file, taken from the action text; a branch
// shows the address it continues at. Kinds that do not fit the shape show the box and are left out.
TEST(Disassembly, OperandsBranchTargetsAndPrefixes) {
    const InstructionSet set = DisassemblySet();
    ScriptedPrompter prompter;
    // clang-format off
    const std::tuple<uint32_t, int32_t, const char*> cases[] = {
        {R(0x20, 3, 1, 2), 0, "add R3 R1 R2"}, {I(0x08, 1, 2, 4), 0, "addi R1 R2 0x0004"},
        {I(0x08, 1, 2, -1), 0, "addi R1 R2 0xFFFF"}, {R(0x01, 4, 5, 0), 0, "fmov F4 R5"}, {0, 0, "nop"},
        {I(0x04, 0, 1, -3), 16, "beqz R1 0x000E"}, {I(0x04, 0, 1, -3), 0, "beqz R1 0xFFFE"},
        {I(0x04, 0, 1, 0x7FFF), 0x7FFFFFFF, "beqz R1 0x7FFF"}, {R(0x02, 6, 0, 0), 0, "lower MR[rd]:=16"},
        {R(0x03, 6, 0, 0), 0, "front error6"}, {I(0x07, 1, 2, 5), 0, "mixed 0x0005"}, {R(0x05, 1, 2, 0), 0, "rimm R1"}};
    // clang-format on
    for (const auto& [word, address, text] : cases) {
        const auto command = DecodeInstruction(set, word);
        ASSERT_TRUE(command) << text;
        EXPECT_EQ(command->Disassemble(set, address, prompter), text);
    }
    ASSERT_EQ(prompter.boxes.size(), 3u);
    for (const auto& box : prompter.boxes)
        EXPECT_EQ(box.text + "|" + box.caption, "default case- ERROR!!!!!!|");
    EXPECT_EQ(EnclosingArrayName(set, 0, "RS2"), "R");
    EXPECT_EQ(EnclosingArrayName(set, 3, "RS2"), "MF[RD]:=MR[RS1]");
    EXPECT_EQ(EnclosingArrayName(set, 99, "RD"), "");
    // An object without a row shows a placeholder.
    Itype stray;
    stray.opcode = "110000";
    EXPECT_EQ(stray.Disassemble(set, 0, prompter), "unknown instruction");
    EXPECT_EQ(Rtype{}.Disassemble(set, 0, prompter), "unknown instruction");
}
