// Every row of the lab's commands.xml executed on chosen values, and small whole programs.

#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"

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
    void SetR(int32_t i, uint32_t value) { machine.SetRegister(i, static_cast<int32_t>(value)); }
    int32_t Result(const Line& line, int32_t left, int32_t right) {
        SetR(1, left);
        SetR(2, right);
        Execute(line);
        return R(3);
    }
    int32_t RResult(const std::string& mnemonic, int32_t left, int32_t right) {
        return Result({mnemonic, {3, 1, 2}}, left, right);
    }
    int32_t IResult(const std::string& mnemonic, int32_t left, int32_t imm) {
        return Result({mnemonic, {3, 1, imm}}, left, 0);
    }

    ScriptedPrompter prompter;
    MachineState machine{LabInstructionSet(), prompter};
};

constexpr int32_t Bits(uint32_t value) {
    return static_cast<int32_t>(value);
}

} // namespace

TEST_F(Dlx, AddAndSubtractWrap) {
    EXPECT_EQ(RResult("add", INT_MAX, 1), INT_MIN);
    EXPECT_EQ(RResult("add", -5, 3), -2);
    EXPECT_EQ(RResult("addu", -1, 1), 0);
    EXPECT_EQ(RResult("sub", 3, 5), -2);
    EXPECT_EQ(RResult("sub", 3, -5), 8);
    EXPECT_EQ(RResult("sub", INT_MIN, 1), INT_MAX);
    EXPECT_EQ(RResult("subu", 0, 1), -1);
    EXPECT_EQ(machine.PC, 11);
}

TEST_F(Dlx, ImmediateArithmetic) {
    EXPECT_EQ(IResult("addi", 5, -3), 2);
    EXPECT_EQ(IResult("addi", INT_MAX, 1), INT_MIN);
    EXPECT_EQ(IResult("addui", 5, -4), 5 + 0xFFFC) << "the unsigned immediate is zero-extended";
    EXPECT_EQ(IResult("subi", 5, -3), 8);
    EXPECT_EQ(IResult("subui", 0x10000, -1), 1);
}

TEST_F(Dlx, Logic) {
    EXPECT_EQ(RResult("and", 12, 10), 8);
    EXPECT_EQ(RResult("or", 12, 10), 14);
    EXPECT_EQ(RResult("xor", 12, -1), -13);
    EXPECT_EQ(IResult("andi", -1, -4), 0xFFFC);
    EXPECT_EQ(IResult("ori", 0x10000, -1), 0x1FFFF);
    EXPECT_EQ(IResult("xori", -1, 0xFF), Bits(0xFFFFFF00u));
}

TEST_F(Dlx, ShiftsTakeTheLowFiveBitsAndOnlyArithmeticShiftsCopyTheSign) {
    EXPECT_EQ(RResult("sll", 3, 33), 6);
    EXPECT_EQ(RResult("sll", 1, 31), INT_MIN);
    EXPECT_EQ(RResult("srl", -16, 4), 0x0FFFFFFF);
    EXPECT_EQ(RResult("srl", -16, 0), -16);
    EXPECT_EQ(RResult("srl", INT_MIN, 31), 1);
    EXPECT_EQ(RResult("srl", -1, 36), 0x0FFFFFFF);
    EXPECT_EQ(RResult("sra", -16, 2), -4);
    EXPECT_EQ(RResult("sra", 16, 2), 4);
    EXPECT_EQ(IResult("slli", 1, 4), 16);
    EXPECT_EQ(IResult("srli", -16, 4), 0x0FFFFFFF);
    EXPECT_EQ(IResult("srli", INT_MIN, 0), INT_MIN);
    EXPECT_EQ(IResult("srai", -16, 4), -1);
}

TEST_F(Dlx, SetOnComparisonIsSigned) {
    EXPECT_EQ(RResult("slt", -1, 1), 1);
    EXPECT_EQ(RResult("slt", 1, -1), 0);
    EXPECT_EQ(RResult("sgt", 1, -1), 1);
    EXPECT_EQ(RResult("sle", -3, -3), 1);
    EXPECT_EQ(RResult("sle", -2, -3), 0);
    EXPECT_EQ(RResult("sge", -3, -2), 0);
    EXPECT_EQ(RResult("seq", -7, -7), 1);
    EXPECT_EQ(RResult("sne", -7, -7), 0);
    EXPECT_EQ(IResult("slti", -5, -3), 1);
    EXPECT_EQ(IResult("sgti", -2, -3), 1);
    EXPECT_EQ(IResult("slei", -3, -3), 1);
    EXPECT_EQ(IResult("sgei", -4, -3), 0);
    EXPECT_EQ(IResult("seqi", -3, -3), 1);
    EXPECT_EQ(IResult("snei", -3, -3), 0);
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
