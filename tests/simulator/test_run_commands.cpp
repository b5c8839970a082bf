// The run menu and the machine commands of the simulator document: what each prompt accepts,
// when the long runs ask to go on, and what two windows on one store share.

#include "SimulatorFixture.h"

using namespace vorn::simulator;
using namespace vorn::simulator::testing;

namespace {

std::string AskAt(int steps) {
    return std::to_string(steps) + " steps had passed. Do you want to continue waiting?";
}

class RunCommands : public SimulatorTest {};

} // namespace

TEST_F(RunCommands, ALongRunAsksBeforeEveryMultipleOfTheStepCount) {
    // Without a program every step only advances the PC, so the PC counts the steps done. With
    // a step count of one the question comes before every step.
    const std::vector<std::tuple<int, std::deque<bool>, std::vector<std::string>, int>> runs = {
        {1, {true, true, false}, {AskAt(1), AskAt(2), AskAt(3)}, 2},
        {1000, {true, true, false}, {AskAt(1000), AskAt(2000), AskAt(3000)}, 2999}};
    for (const auto& [every, answers, asked, pc] : runs) {
        machine().Reset();
        set.stepsUntilMsg = every;
        prompter.yesNoAnswers = answers;
        document.OnRunUntilHalt();
        EXPECT_EQ(prompter.boxes.at(0).caption, "VORN");
        EXPECT_EQ(std::tuple(Boxes(), machine().PC), std::tuple(asked, pc));
    }
    // A condition that holds runs no step.
    machine().JumpTo(7);
    AnswerOne("7");
    document.OnRunUntilPc();
    machine().Halted = true;
    document.OnRunUntilHalt();
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(7, 4));
    // After the halt the PC stands behind it and a halted step no longer moves it: a condition
    // that cannot come true goes on until No.
    Load({"halt", "dc 0x0"});
    machine().Reset();
    AnswerOne("5");
    prompter.yesNoAnswers = {true};
    document.OnRunUntilPc();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Enter PC stop address:", AskAt(1000), AskAt(2000)}));
    EXPECT_EQ(std::tuple(machine().PC, machine().Halted), std::tuple(1, true));
}

TEST_F(RunCommands, RunsStopWhereTheirConditionComesTrue) {
    Load({"loop: addi r1 r1 1", "      sw r1 r0 0x40", "      j loop"});
    AnswerOne("0x1");
    document.OnRunUntilPc();
    EXPECT_EQ(std::tuple(machine().PC, machine().GetRegister(1)), std::tuple(1, 1));
    // The addi that made R1 3 is done, the store not yet; R0 of "MR" reads 0 at once.
    for (const char* reg : {"1", "0"}) {
        AnswerTwo(reg, reg[0] == '1' ? "3" : "0");
        document.OnRunUntilReg();
        EXPECT_EQ(std::tuple(machine().PC, machine().GetRegister(1)), std::tuple(1, 3));
    }
    AnswerTwo("0x40", "5");
    document.OnRunUntilMemory();
    EXPECT_EQ(std::tuple(machine().PC, machine().ReadMemory(0x40)), std::tuple(2, 5));
    // The stop test reads the absent word and so creates it.
    AnswerTwo("0x50", "0");
    document.OnRunUntilMemory();
    EXPECT_EQ(std::tuple(machine().PC, machine().DataMemory().count(0x50), view.updates),
              std::tuple(2, 1u, 5));
}

TEST_F(RunCommands, ARefusedPromptChangesNothingAndRefreshesNothing) {
    using D = SimulatorDocument;
    using Two = std::optional<std::pair<std::string, std::string>>;
    const std::string pc = "Enter PC stop address:", reg = "Enter register num and stop value:",
                      mem = "Enter address and stop value:", area = "Enter memory address area:",
                      value = "Enter the new value:", badReg = "invalid register number",
                      number = "Invalid number", address = "Invalid address";
    // The texts are checked before the register number; fill memory asks both dialogs before any check.
    // clang-format off
    const std::vector<std::tuple<void (D::*)(), std::optional<std::string>, Two, std::vector<std::string>>> refusals = {
        {&D::OnRunUntilPc, "-1", {}, {pc, address}},            {&D::OnRunUntilPc, "one", {}, {pc, number}},
        {&D::OnRunUntilReg, {}, {{"32", "5"}}, {reg, badReg}},  {&D::OnRunUntilReg, {}, {{"-1", "5"}}, {reg, badReg}},
        {&D::OnRunUntilReg, {}, {{"32", "x"}}, {reg, number}},  {&D::OnRunUntilReg, {}, {{"r1", "x"}}, {reg, number}},
        {&D::OnRunUntilMemory, {}, {{"-2", "0"}}, {mem, address}}, {&D::OnRunUntilMemory, {}, {{"0x40", ""}}, {mem, number}},
        {&D::OnFillMemory, "x", {{"zz", "-1"}}, {area, value, number}}, {&D::OnFillMemory, "x", {{"0", "-1"}}, {area, value, number}},
        {&D::OnFillMemory, "1", {{"0", "-1"}}, {area, value, address}}};
    // clang-format on
    machine().JumpTo(9);
    for (const auto& [command, one, two, boxes] : refusals) {
        if (one) AnswerOne(one);
        if (two) AnswerTwo(two->first, two->second);
        (document.*command)();
        EXPECT_EQ(Boxes(), boxes) << boxes.back();
    }
    // Typed numbers must hold digits and fit 32 bits.
    for (const char* text :
         {"", "-", "0x", "99999999999", "4294967296", "-2147483649", "0x123456789", "12abc", " 1"}) {
        AnswerOne(text);
        document.OnJumpTo();
        EXPECT_EQ(Boxes().back(), number) << '"' << text << '"';
    }
    EXPECT_EQ(std::tuple(machine().PC, view.updates, machine().DataMemory().size()), std::tuple(9, 0, 0u));
    // clang-format off
    const std::pair<const char*, int32_t> accepted[] = {
        {"0XdeadBEEF", static_cast<int32_t>(0xDEADBEEF)}, {"4294967295", -1}, {"-2147483648", INT32_MIN}, {"007", 7}};
    // clang-format on
    for (const auto& [text, value] : accepted) {
        AnswerOne(text);
        document.OnJumpTo();
        EXPECT_EQ(machine().PC, value) << text;
    }
}

TEST_F(RunCommands, RunNStepsNeverAsksAndJumpToTakesAnyNumberAndClearsTheHaltedFlag) {
    set.stepsUntilMsg = 1;
    machine().Halted = true;
    for (const char* count : {"0", "-5", "0x10"}) {
        AnswerOne(count);
        document.OnRunSteps();
    }
    EXPECT_EQ(Boxes(), std::vector<std::string>(3, "Enter number of steps to run:"));
    document.OnRunSteps(); // cancelled: no refresh
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(16, 3));
    AnswerOne("-3");
    document.OnJumpTo();
    EXPECT_EQ(std::tuple(machine().PC, machine().Halted), std::tuple(-3, false));
    document.OnJumpTo(); // cancelled, yet refreshed
    document.OnStep();   // at an address without a program record only advances the PC
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(-2, 6));
}

TEST_F(RunCommands, FillMemoryWritesTheRangeInclusiveUpToTheLargestAddress) {
    const auto fill = [&](std::string min, std::string max, std::optional<std::string> value) {
        AnswerTwo(std::move(min), std::move(max));
        AnswerOne(std::move(value));
        document.OnFillMemory();
    };
    fill("0x10", "0x0f", "7");
    fill("0x10", "0x10", "-1");
    fill("0x7FFFFFFE", "0x7FFFFFFF", "0x5");
    fill("0", "3", std::nullopt); // Cancel in either dialog refreshes and writes nothing.
    document.OnFillMemory();
    EXPECT_EQ(machine().DataMemory(),
              (std::map<int32_t, int32_t>{{16, -1}, {0x7FFFFFFE, 5}, {0x7FFFFFFF, 5}}));
    EXPECT_EQ(view.updates, 5);
    store->dataMemory.clear();
    fill("0", "0x10000", "1"); // one word more than 64k
    EXPECT_EQ(std::tuple(Boxes().back(), machine().DataMemory().size()),
              std::tuple("Cannot fill address space larger than 64k", 0u));
    fill("0x10000", "0x1FFFF", "1");
    EXPECT_EQ(machine().DataMemory().size(), 0x10000u);
}

TEST_F(RunCommands, ResetsLeaveTheRestAloneAndASecondWindowClearsTheRegistersOfBoth) {
    Load({"loop: addi r1 r1 1", "      j loop"});
    AnswerOne("7");
    document.OnRunSteps();
    machine().Halted = true;
    document.OnReset();
    EXPECT_EQ(std::tuple(machine().PC, machine().Halted, machine().GetRegister(1)), std::tuple(0, false, 4));
    machine().JumpTo(1);
    document.OnResetRegisters();
    EXPECT_EQ(std::tuple(machine().GetRegister(1), machine().PC, view.updates), std::tuple(0, 1, 3));
    document.OnStep(); // j loop
    document.OnStep(); // R1 := 1
    machine().WriteMemory(0x30, 9);
    SimulatorDocument second(Environment(), prompter);
    EXPECT_EQ(std::tuple(machine().GetRegister(1), machine().PC, second.machine().ReadMemory(0x30)),
              std::tuple(0, 1, 9));
    // Without a program its step only advances the shared PC; it refreshes only its own views.
    second.OnStep();
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(2, 5));
}
