#include "ScriptedPrompter.h"
#include "isa/ActionEvaluator.h"
#include "isa/MachineState.h"

#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::ScriptedPrompter;

namespace {

InstructionSet EvaluatorSet() {
    InstructionSet set;
    set.registerFiles.push_back(RegisterFile{"MF", {}});
    set.vars = {{"v", 8, 0}, {"narrow", -3, 0}, {"none", 0, 0}, {"wide", 31, 0}};
    return set;
}

class Evaluator : public ::testing::Test {
  protected:
    int32_t Eval(const std::string& text) { return EvaluateAction(machine, text); }
    int32_t& R(int i) { return *machine.RegisterCell(0, i); }

    InstructionSet set = EvaluatorSet();
    ScriptedPrompter prompter;
    MachineState machine{set, prompter};
};

} // namespace

TEST(Operators, ArithmeticWrapsAndNeverTrapsAndShiftsUseTheLowFiveBits) {
    const struct {
        int32_t left, right;
        const char* op;
        int32_t result;
    } cases[] = {{INT_MAX, 1, "+", INT_MIN},
                 {INT_MIN, 1, "-", INT_MAX},
                 {0x10000, 0x10000, "*", 0},
                 {-7, 2, "/", -3},
                 {5, 0, "/", 0},
                 {INT_MIN, -1, "/", INT_MIN},
                 {-1, 0, "<", 1},
                 {12, 10, "^", 6},
                 {1, 2, "%", -1},
                 {1, 33, "<<", 2},
                 {-1, 1, ">>", -1},
                 {INT_MIN, 31, ">>", -1},
                 {3, 31, "<<", INT_MIN},
                 {-2, -1, "<=", 1},
                 {1, 1, "!=", 0},
                 {1, 1, "=>", -1}};
    for (const auto& c : cases) {
        const int32_t result = c.op[1] ? ApplyTwoCharOperator(c.left, c.right, c.op)
                                       : ApplyBinaryOperator(c.left, c.right, c.op[0]);
        EXPECT_EQ(result, c.result) << c.left << c.op << c.right;
    }
}

TEST_F(Evaluator, PrecedenceGroupingSignsAndParentheses) {
    R(1) = -5;
    machine.PC = 6;
    // Operators found first bind loosely and group to the right; in "1>2>>1" the first '>' is not
    // followed by '>', so ">>" is not used: 1>(2>>1). Signs and parentheses give their plain values.
    // clang-format off
    const std::pair<const char*, int32_t> cases[] = {
        {"10-4-3", 9}, {"100/10/5", 50}, {"2+3*4", 20}, {"2*3+4", 14}, {"(2+3)*4", 20}, {"5>3==1", 1},
        {"-1>>1", -1}, {"1<<33", 2}, {"1?7:9", 7}, {"0?7:9", 9}, {"1>2>>1", 0}, {"(-2+5)", 3}, {"(-5)", -5},
        {"3-(-5)", 8}, {"(-5)-3", -8}, {"--5", 5}, {"-(-2)", 2}, {"-", 0}, {"-2147483648", INT_MIN},
        {"(-4&65535)", 65532}, {"-MR[1]", 5}, {"3-MR[1]", 8}, {"MR[1]-MR[1]", 0}, {"-PC", -6}};
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Eval(text), value) << text;
}

TEST_F(Evaluator, AssignmentsStoreIntoCellsButNeverIntoR0) {
    EXPECT_EQ(Eval("MR[0]:=5"), 0);
    EXPECT_EQ(R(0), 0);
    EXPECT_EQ(Eval("MR[1]:=5;MR[2]:=MR[1]+1"), 0);
    EXPECT_EQ(R(1), 5);
    EXPECT_EQ(R(2), 6);
    EXPECT_EQ(Eval("MF[0]:=9"), 0);
    EXPECT_EQ(*machine.RegisterCell(1, 0), 9);
    EXPECT_EQ(Eval("M[MR[1]+2]:=MR[2]"), 0);
    EXPECT_EQ(machine.DataMemory().at(7), 6);
    R(3) = 2;
    EXPECT_EQ(Eval("MR[MR[3]]+1"), 7);
    EXPECT_EQ(Eval("PC:=PC+4"), 0);
    EXPECT_EQ(machine.PC, 4);
    // The destination names no cell: nothing is evaluated or stored.
    EXPECT_EQ(Eval("X[1]:=halt"), -1);
    EXPECT_EQ(Eval("M[-1]:=halt"), -1);
    EXPECT_FALSE(machine.Halted);
    EXPECT_EQ(machine.DataMemory().count(-1), 0u);
}

TEST_F(Evaluator, VariablesAreLimitedToTheirWidth) {
    Eval("v:=300");
    EXPECT_EQ(machine.FindVariable("v")->value, 255);
    Eval("v:=-1");
    EXPECT_EQ(machine.FindVariable("v")->value, 0);
    Eval("none:=5");
    EXPECT_EQ(machine.FindVariable("none")->value, 0);
    Eval("narrow:=5");
    EXPECT_EQ(machine.FindVariable("narrow")->value, 0);
    Eval("narrow:=-5");
    EXPECT_EQ(machine.FindVariable("narrow")->value, 0);
    Eval("wide:=2147483647");
    EXPECT_EQ(machine.FindVariable("wide")->value, INT_MAX);
    Eval("v:=7");
    EXPECT_EQ(Eval("v*2"), 14);
    EXPECT_EQ(set.vars[0].value, 0) << "the instruction set keeps the initial state";
}

TEST_F(Evaluator, CellsThatCannotBeResolvedReadAsZero) {
    EXPECT_EQ(Eval("M[100]"), 0);
    EXPECT_EQ(machine.DataMemory().count(100), 1u);
    EXPECT_EQ(Eval("MR[32]+1"), 1);
    EXPECT_EQ(Eval("MR[-1]+1"), 1);
    EXPECT_EQ(Eval("Q[3]+1"), 1);
    EXPECT_EQ(Eval("M[-4]+1"), 1);
    EXPECT_EQ(machine.DataMemory().count(-4), 0u);
    EXPECT_EQ(ResolveDestination(machine, "MR[32]"), nullptr);
    EXPECT_EQ(ResolveDestination(machine, "unknown"), nullptr);
    EXPECT_EQ(ResolveDestination(machine, "PC"), &machine.PC);
}

TEST_F(Evaluator, MalformedTextsReturn) {
    R(1) = 4;
    R(2) = 3;
    // The destination of the last runs to the ':=' and its index to the character before the last.
    const std::pair<const char*, int32_t> cases[] = {
        {")MR[1](", 0}, {"(1+2", 0}, {"1+(2", 1}, {"MR[1", 0}, {"[[[((((", 0},
        {"X[1]", 0},    {"1+", 1},   {"()", 0},   {"1?2", 1},  {"MR[1]+MR[2]:=5", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Eval(text), value) << text;
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(Evaluator, OnlyAWhollyEmptyActionShowsZeroLength) {
    EXPECT_EQ(Eval("MR[1]:=1;"), 0);
    EXPECT_EQ(R(1), 1);
    EXPECT_EQ(Eval(";;"), 0);
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(Eval(""), 0);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "zero length");
    EXPECT_EQ(prompter.boxes[0].caption, "");
}

TEST_F(Evaluator, OnlyTheChosenBranchIsEvaluatedAndHaltAdvancesThePcOnce) {
    Eval("0?halt:nop");
    Eval("1?nop:halt");
    EXPECT_FALSE(machine.Halted);
    machine.PC = 7;
    EXPECT_EQ(Eval("halt"), 0);
    EXPECT_EQ(machine.PC, 8);
    EXPECT_TRUE(machine.Halted);
    ExecuteHalt(machine);
    EXPECT_EQ(machine.PC, 8);
    machine.JumpTo(INT_MAX);
    ExecuteHalt(machine);
    EXPECT_EQ(machine.PC, INT_MIN);
}

TEST(SubstituteOperands, ReplacesEveryPlaceholderInAnyCaseAndStaysInBounds) {
    std::string action = "MR[rd]:=MR[RS1]+MR[Rs2]+imm;MR[Rd]:=IMM;ord";
    SubstituteOperands(action, "3", "1", "2", -4);
    EXPECT_EQ(action, "MR[3]:=MR[1]+MR[2]+-4;MR[3]:=-4;o3");
    std::string one = "r";
    SubstituteOperands(one, "3", "1", "2", 0);
    EXPECT_EQ(one, "r");
    std::string tail = "xrs2rs";
    SubstituteOperands(tail, "3", "1", "", 0);
    EXPECT_EQ(tail, "xrs");
    // After an empty replacement the scan moves on, so the second "rd" is left.
    std::string vanishing = "rdrd";
    SubstituteOperands(vanishing, "", "", "", 0);
    EXPECT_EQ(vanishing, "rd");
}
