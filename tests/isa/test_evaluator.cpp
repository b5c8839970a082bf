// The evaluator's rules, held directly: the compiled form shares operators, splitting, halt and width
// limits with the text evaluator, so the differential test alone misses a rule both get wrong alike.

#include "ScriptedPrompter.h"
#include "isa/ActionEvaluator.h"
#include "isa/MachineState.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;

namespace {

InstructionSet EvaluatorSet() {
    InstructionSet set;
    set.registerFiles.push_back(RegisterFile{"MF", {}});
    set.vars = {{"v", 8, 0}, {"narrow", -3, 0}, {"none", 0, 0}, {"wide", 31, 0}, {"w30", 30, 0}};
    return set;
}

class Evaluator : public ::testing::Test {
  protected:
    int32_t Eval(const std::string& text) { return EvaluateAction(machine, text); }

    InstructionSet set = EvaluatorSet();
    vorn::testing::ScriptedPrompter prompter;
    MachineState machine{set, prompter};
};

} // namespace

TEST(Operators, ArithmeticWrapsAndNeverTrapsAndShiftsUseTheLowFiveBits) {
    // clang-format off
    const std::tuple<int32_t, int32_t, const char*, int32_t> cases[] = {
        {INT_MAX, 1, "+", INT_MIN}, {INT_MIN, 1, "-", INT_MAX}, {0x10000, 0x10000, "*", 0}, {-7, 2, "/", -3},
        {5, 0, "/", 0}, {INT_MIN, -1, "/", INT_MIN}, {-1, 0, "<", 1}, {12, 10, "^", 6}, {1, 2, "%", -1},
        {1, 33, "<<", 2}, {-1, 1, ">>", -1}, {INT_MIN, 31, ">>", -1}, {3, 31, "<<", INT_MIN},
        {-2, -1, "<=", 1}, {1, 1, "!=", 0}, {1, 1, "=>", -1}};
    // clang-format on
    for (const auto& [left, right, op, result] : cases)
        EXPECT_EQ(ApplyOperator(left, right, OperatorOf(op)), result) << left << op << right;
}

// Operators found first bind loosely and group to the right; in "1>2>>1" the first '>' is not
// followed by '>', so ">>" is not used: 1>(2>>1). Signs and parentheses give their plain values.
// A bracket without its match reads as 0 to the end; the destination of the last text runs to
// the ':=' and its index to the character before the last. Cells that cannot be resolved read 0.
TEST_F(Evaluator, ValuesOfTexts) {
    *machine.RegisterCell(0, 1) = 4;
    *machine.RegisterCell(0, 2) = 3;
    machine.PC = 6;
    // clang-format off
    const std::pair<const char*, int32_t> cases[] = {
        {"10-4-3", 9}, {"100/10/5", 50}, {"2+3*4", 20}, {"2*3+4", 14}, {"(2+3)*4", 20}, {"5>3==1", 1},
        {"-1>>1", -1}, {"1<<33", 2}, {"1?7:9", 7}, {"0?7:9", 9}, {"1>2>>1", 0}, {"(-2+5)", 3}, {"(-5)", -5},
        {"3-(-5)", 8}, {"(-5)-3", -8}, {"--5", 5}, {"-(-2)", 2}, {"-", 0}, {"-2147483648", INT_MIN},
        {"(-4&65535)", 65532}, {"-MR[1]", -4}, {"3-MR[1]", -1}, {"MR[1]-MR[1]", 0}, {"-PC", -6}, {";;", 0},
        {")MR[1](", 0}, {"(1+2", 0}, {"1+(2", 1}, {"MR[1", 0}, {"[[[((((", 0}, {"X[1]", 0}, {"1+", 1},
        {"()", 0}, {"1?2", 1}, {"MR[1]+MR[2]:=5", 0}, {"M[100]", 0}, {"MR[32]+1", 1}, {"MR[-1]+1", 1},
        {"Q[3]+1", 1}, {"M[-4]+1", 1}};
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Eval(text), value) << text;
    EXPECT_EQ(machine.DataMemory(), (std::map<int32_t, int32_t>{{100, 0}}));
    EXPECT_FALSE(ResolveDestination(machine, "MR[32]") || ResolveDestination(machine, "unknown"));
    EXPECT_EQ(ResolveDestination(machine, "PC"), &machine.PC);
    EXPECT_TRUE(prompter.boxes.empty());
}

// Assignments give 0 and store, but never into R0; a variable takes its value limited to its
// width. A destination that names no cell gives -1 and nothing is evaluated or stored.
TEST_F(Evaluator, AssignmentsStoreAndVariablesAreLimitedToTheirWidth) {
    // clang-format off
    // action, its result, a text read back after it and its value
    const std::tuple<const char*, int32_t, const char*, int32_t> cases[] = {
        {"MR[0]:=5", 0, "MR[0]", 0}, {"MR[1]:=5;MR[2]:=MR[1]+1;", 0, "MR[2]", 6},
        {"MF[0]:=9", 0, "MF[0]", 9}, {"M[MR[1]+2]:=MR[2]", 0, "M[7]", 6}, {"MR[3]:=2", 0, "MR[MR[3]]+1", 7},
        {"PC:=PC+4", 0, "PC", 4}, {"v:=300", 0, "v", 255}, {"v:=-1", 0, "v", 0}, {"none:=5", 0, "none", 0},
        {"narrow:=5", 0, "narrow", 0}, {"narrow:=-5", 0, "narrow", 0},
        {"wide:=2147483647", 0, "wide", INT_MAX}, {"w30:=2147483647", 0, "w30", (1 << 30) - 1},
        {"v:=7", 0, "v*2", 14}, {"X[1]:=halt", -1, "X[1]", 0},
        {"M[-1]:=halt", -1, "M[-1]", 0}};
    // clang-format on
    for (const auto& [action, result, readBack, value] : cases) {
        EXPECT_EQ(Eval(action), result) << action;
        EXPECT_EQ(Eval(readBack), value) << action;
    }
    EXPECT_FALSE(machine.Halted);
    EXPECT_EQ(machine.DataMemory().count(-1), 0u);
    EXPECT_EQ(set.vars[0].value, 0) << "the instruction set keeps the initial state";
}

TEST_F(Evaluator, OnlyTheChosenBranchRunsHaltAdvancesThePcOnceAndOnlyAnEmptyTextShowsZeroLength) {
    Eval("0?halt:nop");
    Eval("1?nop:halt");
    EXPECT_FALSE(machine.Halted);
    machine.PC = 7;
    EXPECT_EQ(Eval("halt"), 0);
    EXPECT_EQ(std::pair(machine.PC, machine.Halted), std::pair(8, true));
    ExecuteHalt(machine);
    EXPECT_EQ(machine.PC, 8);
    machine.JumpTo(INT_MAX);
    ExecuteHalt(machine);
    EXPECT_EQ(machine.PC, INT_MIN);
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(Eval(""), 0);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text + "|" + prompter.boxes[0].caption, "zero length|");
}

TEST(SubstituteOperands, ReplacesEveryPlaceholderInAnyCaseAndStaysInBounds) {
    // text, rd, rs2 (rs1 is "1", imm -4), result. After an empty replacement the scan moves on,
    // so the second "rd" of "rdrd" is left.
    const std::array<const char*, 4> cases[] = {
        {"MR[rd]:=MR[RS1]+MR[Rs2]+imm;MR[Rd]:=IMM;ord", "3", "2", "MR[3]:=MR[1]+MR[2]+-4;MR[3]:=-4;o3"},
        {"r", "3", "2", "r"},
        {"xrs2rs", "3", "", "xrs"},
        {"rdrd", "", "", "rd"}};
    for (const auto& [text, rd, rs2, result] : cases) {
        std::string action = text;
        SubstituteOperands(action, rd, "1", rs2, -4);
        EXPECT_EQ(action, result) << text;
    }
}
