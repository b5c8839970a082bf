// Every row of the lab's commands.xml executed on chosen values, and small whole programs.

#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace vorn::isa;
using vorn::testing::EncodeLine;
using vorn::testing::LabInstructionSet;
using vorn::testing::Line;
using vorn::testing::ScriptedPrompter;

namespace {

class Dlx : public ::testing::Test {
  protected:
    uint32_t Encode(const Line& line) { return EncodeLine(LabInstructionSet(), line); }

    void Load(int32_t address, const std::vector<Line>& program) {
        std::vector<MemoryRecord> image;
        for (const Line& line : program)
            image.push_back({address++, Encode(line), "", nullptr, false});
        machine.LoadProgram(image);
    }

    // Executes one instruction standing at an address.
    void Execute(const Line& line, int32_t address = 10) {
        Load(address, {line});
        machine.JumpTo(address);
        machine.Step();
    }

    int32_t Run(int32_t maxSteps = 10000) {
        int32_t steps = 0;
        for (; !machine.Halted && steps < maxSteps; ++steps)
            machine.Step();
        return steps;
    }

    int32_t R(int32_t i) const { return machine.GetRegister(i); }
    void SetR(int32_t i, int32_t value) { machine.SetRegister(i, value); }

    ScriptedPrompter prompter;
    MachineState machine{LabInstructionSet(), prompter};
};

constexpr int32_t Bits(uint32_t value) {
    return static_cast<int32_t>(value);
}

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
        {"xori", {{-1, 0xFF, Bits(0xFFFFFF00u)}}}, {"sll", {{3, 33, 6}, {1, 31, INT_MIN}}},
        {"srl", {{-16, 4, 0x0FFFFFFF}, {-16, 0, -16}, {INT_MIN, 31, 1}, {-1, 36, 0x0FFFFFFF}}},
        {"sra", {{-16, 2, -4}, {16, 2, 4}}}, {"slli", {{1, 4, 16}}},
        {"srli", {{-16, 4, 0x0FFFFFFF}, {INT_MIN, 0, INT_MIN}}}, {"srai", {{-16, 4, -1}}},
        {"slt", {{-1, 1, 1}, {1, -1, 0}}}, {"sgt", {{1, -1, 1}}}, {"sle", {{-3, -3, 1}, {-2, -3, 0}}},
        {"sge", {{-3, -2, 0}}}, {"seq", {{-7, -7, 1}}}, {"sne", {{-7, -7, 0}}}, {"slti", {{-5, -3, 1}}},
        {"sgti", {{-2, -3, 1}}}, {"slei", {{-3, -3, 1}}}, {"sgei", {{-4, -3, 0}}}, {"seqi", {{-3, -3, 1}}},
        {"snei", {{-3, -3, 0}}}
    };
    // clang-format on
    for (const auto& [mnemonic, triples] : cases)
        for (const auto& [left, right, result] : triples) {
            const bool rType =
                LabInstructionSet().commands[LabInstructionSet().FindCommandByName(mnemonic)].type == "R";
            SetR(1, left);
            SetR(2, rType ? right : 0);
            Execute({mnemonic, {3, 1, rType ? 2 : right}});
            EXPECT_EQ(R(3), result) << mnemonic << " " << left << " " << right;
            EXPECT_EQ(machine.PC, 11) << mnemonic;
        }
}

TEST_F(Dlx, LoadHighImmediate) {
    Execute({"lhi", {3, 0x1234}});
    EXPECT_EQ(R(3), 0x12340000);
    Execute({"lhi", {3, -1}});
    EXPECT_EQ(R(3), Bits(0xFFFF0000u));
}

TEST_F(Dlx, LoadAndStoreWordsAtRegisterPlusOffset) {
    machine.WriteMemory(18, 77);
    SetR(1, 20);
    Execute({"lw", {3, 1, -2}});
    EXPECT_EQ(R(3), 77);
    SetR(4, -9);
    Execute({"sw", {4, 1, 5}});
    EXPECT_EQ(machine.ReadMemory(25), -9);
    Execute({"lw", {0, 1, -2}});
    EXPECT_EQ(R(0), 0);
}

TEST_F(Dlx, ConditionalBranchesContinueAtAddressPlusImmPlusOne) {
    SetR(1, 0);
    Execute({"beqz", {1, 4}});
    EXPECT_EQ(machine.PC, 15);
    Execute({"bnez", {1, 4}});
    EXPECT_EQ(machine.PC, 11);
    SetR(1, -1);
    Execute({"beqz", {1, -6}});
    EXPECT_EQ(machine.PC, 11);
    Execute({"bnez", {1, -6}});
    EXPECT_EQ(machine.PC, 5);
}

TEST_F(Dlx, JumpsAndLinks) {
    Execute({"j", {-11}});
    EXPECT_EQ(machine.PC, 0);
    Execute({"jal", {5}});
    EXPECT_EQ(machine.PC, 16);
    EXPECT_EQ(R(31), 11);
    SetR(5, 42);
    Execute({"jr", {5}});
    EXPECT_EQ(machine.PC, 42);
    Execute({"jalr", {5}}, 20);
    EXPECT_EQ(machine.PC, 42);
    EXPECT_EQ(R(31), 21);
    Execute({"jalr", {31}}, 30);
    EXPECT_EQ(machine.PC, 21) << "jalr R31 jumps to the old R31";
    EXPECT_EQ(R(31), 31);
}

TEST_F(Dlx, SpecialRegistersMoveBothWays) {
    SetR(1, -8);
    Execute({"movi2s", {2, 1}});
    EXPECT_EQ(machine.RegisterFiles()[1].cells[2], -8);
    Execute({"movs2i", {3, 2}});
    EXPECT_EQ(R(3), -8);
}

TEST_F(Dlx, NopAndHalt) {
    SetR(1, 1);
    Execute({"nop", {}});
    EXPECT_EQ(machine.PC, 11);
    EXPECT_EQ(R(1), 1);
    Load(10, {{"halt", {}}, {"addi", {1, 1, 1}}});
    machine.JumpTo(10);
    machine.Step();
    EXPECT_EQ(machine.PC, 11);
    EXPECT_TRUE(machine.Halted);
    machine.Step();
    EXPECT_EQ(R(1), 2);
    EXPECT_EQ(machine.PC, 11);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(Dlx, LoopSumsACountDown) {
    Load(0, {
                {"addi", {1, 0, 10}},
                {"addi", {2, 0, 0}},
                {"add", {2, 2, 1}}, // loop
                {"subi", {1, 1, 1}},
                {"bnez", {1, 2 - 4 - 1}},
                {"halt", {}},
            });
    EXPECT_EQ(Run(), 2 + 3 * 10 + 1);
    EXPECT_EQ(R(2), 55);
    EXPECT_EQ(R(1), 0);
    EXPECT_EQ(machine.PC, 6);
}

TEST_F(Dlx, MemoryCopy) {
    Load(0, {
                {"addi", {1, 0, 100}},
                {"addi", {2, 0, 200}},
                {"addi", {3, 0, 5}},
                {"lw", {4, 1, 0}}, // loop
                {"sw", {4, 2, 0}},
                {"addi", {1, 1, 1}},
                {"addi", {2, 2, 1}},
                {"subi", {3, 3, 1}},
                {"bnez", {3, 3 - 8 - 1}},
                {"halt", {}},
            });
    for (int32_t i = 0; i < 5; ++i)
        machine.WriteMemory(100 + i, (i + 1) * -11);
    Run();
    ASSERT_TRUE(machine.Halted);
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(machine.ReadMemory(200 + i), (i + 1) * -11);
    EXPECT_EQ(machine.DataMemory().count(205), 0u);
}

TEST_F(Dlx, SubroutineCallAndReturn) {
    Load(0, {
                {"addi", {1, 0, 6}},
                {"jal", {5 - 1 - 1}},
                {"addi", {3, 2, 1}},
                {"halt", {}},
                {"nop", {}},
                {"add", {2, 1, 1}}, // the subroutine
                {"jr", {31}},
            });
    Run();
    EXPECT_EQ(R(2), 12);
    EXPECT_EQ(R(3), 13);
    EXPECT_EQ(R(31), 2);
    EXPECT_EQ(machine.PC, 4);
}
