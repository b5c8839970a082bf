// Every row of the lab's commands.xml executed on chosen values. Whole programs are run by the
// assembler's lab-examples test.

#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::EncodeLine;
using vorn::testing::LabInstructionSet;
using vorn::testing::Line;

namespace {

class Dlx : public ::testing::Test {
  protected:
    // Executes one instruction standing at an address.
    void Execute(const Line& line, int32_t address = 10) {
        machine.LoadProgram({{address, EncodeLine(LabInstructionSet(), line), "", nullptr, false}});
        machine.JumpTo(address);
        machine.Step();
    }
    int32_t R(int32_t i) const { return machine.GetRegister(i); }

    vorn::testing::ScriptedPrompter prompter;
    MachineState machine{LabInstructionSet(), prompter};
};

} // namespace

// Each R row takes R1 and R2, each I row R1 and its immediate, into R3. Sums wrap, unsigned
// immediates are zero-extended, shifts take the low five bits and only arithmetic shifts copy the
// sign, comparisons are signed.
TEST_F(Dlx, ArithmeticLogicShiftsAndComparisons) {
    // mnemonic, then {left, right, result} triples
    // clang-format off
    const std::vector<std::pair<std::string, std::vector<std::array<int32_t, 3>>>> cases = {
        {"add", {{INT_MAX, 1, INT_MIN}, {-5, 3, -2}}}, {"addu", {{-1, 1, 0}}},
        {"sub", {{3, 5, -2}, {3, -5, 8}, {INT_MIN, 1, INT_MAX}}}, {"subu", {{0, 1, -1}}},
        {"addi", {{5, -3, 2}, {INT_MAX, 1, INT_MIN}}}, {"addui", {{5, -4, 5 + 0xFFFC}}},
        {"subi", {{5, -3, 8}}}, {"subui", {{0x10000, -1, 1}}}, {"and", {{12, 10, 8}}}, {"or", {{12, 10, 14}}},
        {"xor", {{12, -1, -13}}}, {"andi", {{-1, -4, 0xFFFC}}}, {"ori", {{0x10000, -1, 0x1FFFF}}},
        {"xori", {{-1, 0xFF, -256}}}, {"sll", {{3, 33, 6}, {1, 31, INT_MIN}}},
        {"srl", {{-16, 4, 0x0FFFFFFF}, {-16, 0, -16}, {INT_MIN, 31, 1}, {-1, 36, 0x0FFFFFFF}}},
        {"sra", {{-16, 2, -4}, {16, 2, 4}}}, {"slli", {{1, 4, 16}}},
        {"srli", {{-16, 4, 0x0FFFFFFF}, {INT_MIN, 0, INT_MIN}}}, {"srai", {{-16, 4, -1}}},
        {"slt", {{-1, 1, 1}, {1, -1, 0}}}, {"sgt", {{1, -1, 1}}}, {"sle", {{-3, -3, 1}, {-2, -3, 0}}},
        {"sge", {{-3, -2, 0}}}, {"seq", {{-7, -7, 1}}}, {"sne", {{-7, -7, 0}}}, {"slti", {{-5, -3, 1}}},
        {"sgti", {{-2, -3, 1}}}, {"slei", {{-3, -3, 1}}}, {"sgei", {{-4, -3, 0}}}, {"seqi", {{-3, -3, 1}}},
        {"snei", {{-3, -3, 0}}}, {"lhi", {{0, 0x1234, 0x12340000}, {0, -1, -65536}}}
    };
    // clang-format on
    for (const auto& [mnemonic, triples] : cases)
        for (const auto& [left, right, result] : triples) {
            const CommandRecord& row =
                LabInstructionSet().commands[LabInstructionSet().FindCommandByName(mnemonic)];
            machine.SetRegister(1, left);
            machine.SetRegister(2, row.type == "R" ? right : 0);
            Execute({mnemonic, mnemonic == "lhi" ? std::vector{3, right}
                                                 : std::vector{3, 1, row.type == "R" ? 2 : right}});
            EXPECT_EQ(R(3), result) << mnemonic << " " << left << " " << right;
            EXPECT_EQ(machine.PC, 11) << mnemonic;
        }
}

// Before each: R1 = 0, R2 = -1, R5 = 42, R31 = 21; the records stay, so the step also finds
// its record after jumps past the next one. A branch continues at its address + imm + 1;
// a link puts the address after the jump in R31, and jalr R31 jumps to the old R31.
TEST_F(Dlx, BranchesJumpsLinksNopAndHalt) {
    const struct {
        Line line;
        int32_t at, pc, r31;
    } cases[] = {
        {{"jalr", {5}}, 25, 42, 26},     {{"beqz", {1, 4}}, 10, 15, 21}, {{"bnez", {1, 4}}, 10, 11, 21},
        {{"beqz", {2, -6}}, 10, 11, 21}, {{"bnez", {2, -6}}, 10, 5, 21}, {{"j", {-11}}, 10, 0, 21},
        {{"jal", {5}}, 10, 16, 11},      {{"jr", {5}}, 10, 42, 21},      {{"jalr", {31}}, 30, 21, 31},
        {{"nop", {}}, 10, 11, 21},       {{"halt", {}}, 10, 11, 21}};
    for (const auto& [line, at, pc, r31] : cases) {
        machine.SetRegister(2, -1);
        machine.SetRegister(5, 42);
        machine.SetRegister(31, 21);
        Execute(line, at);
        EXPECT_EQ(std::tuple(machine.PC, R(31), R(1), R(2), machine.Halted),
                  std::tuple(pc, r31, 0, -1, line.mnemonic == "halt"))
            << line.mnemonic;
    }
    // Halted, a step still executes the instruction at the PC but leaves the PC.
    machine.LoadProgram({{11, EncodeLine(LabInstructionSet(), {"addi", {1, 1, 1}}), "", nullptr, false}});
    machine.Step();
    EXPECT_EQ(std::pair(R(1), machine.PC), std::pair(1, 11));
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(Dlx, LoadsStoresAndSpecialRegisters) {
    machine.WriteMemory(18, 77);
    machine.SetRegister(1, 20);
    Execute({"lw", {3, 1, -2}});
    EXPECT_EQ(R(3), 77);
    machine.SetRegister(4, -9);
    Execute({"sw", {4, 1, 5}});
    EXPECT_EQ(machine.ReadMemory(25), -9);
    Execute({"lw", {0, 1, -2}});
    EXPECT_EQ(R(0), 0);
    Execute({"movi2s", {2, 4}});
    EXPECT_EQ(machine.RegisterFiles()[1].cells[2], -9);
    Execute({"movs2i", {3, 2}});
    EXPECT_EQ(R(3), -9);
}
