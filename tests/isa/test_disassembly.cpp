#include "ScriptedPrompter.h"
#include "isa/Command.h"

#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::ScriptedPrompter;

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

// Operands follow the row in order with the prefix of their file, taken from the action text;
// a branch shows the address it continues at. Kinds that do not fit the shape show the box and
// are left out.
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
    for (const auto& [word, address, text] : cases)
        EXPECT_EQ(DecodeInstruction(set, word)->Disassemble(set, address, prompter), text);
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
