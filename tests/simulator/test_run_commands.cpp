// The run menu and the machine commands of the simulator document: what each prompt accepts,
// when the long runs ask to go on, and what two windows on one store share.

#include "SimulatorFixture.h"

using namespace vorn::simulator;
using namespace vorn::simulator::testing;

namespace {

std::string AskAt(int steps) {
    return std::to_string(steps) + " steps had passed. Do you want to continue waiting?";
}

// Two instructions that count R1 up for ever.
const std::vector<std::string> kCounter = {"loop: addi r1 r1 1", "      j loop"};

class RunCommands : public SimulatorTest {};

} // namespace

TEST_F(RunCommands, ALongRunAsksBeforeEveryMultipleOfTheStepCount) {
    // Without a program every step only advances the PC, so the PC counts the steps done. With
    // a step count of one the question comes before every step.
    const std::vector<std::tuple<int, std::deque<bool>, std::vector<std::string>, int>> runs = {
        {1000, {}, {AskAt(1000)}, 999},
        {1000, {true, true, false}, {AskAt(1000), AskAt(2000), AskAt(3000)}, 2999},
        {1, {true, true, false}, {AskAt(1), AskAt(2), AskAt(3)}, 2}};
    for (const auto& [every, answers, asked, pc] : runs) {
        machine().Reset();
        set.stepsUntilMsg = every;
        prompter.yesNoAnswers = answers;
        document.OnRunUntilHalt();
        EXPECT_EQ(prompter.boxes.at(0).caption, "VORN");
        EXPECT_EQ(Boxes(), asked);
        EXPECT_EQ(machine().PC, pc);
    }
    EXPECT_EQ(view.updates, 3);
}

TEST_F(RunCommands, AConditionThatHoldsRunsNoStepAndOneThatCannotComeTrueGoesOnUntilNo) {
    machine().JumpTo(7);
    AnswerOne("7");
    document.OnRunUntilPc();
    machine().Halted = true;
    document.OnRunUntilHalt();
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(7, 2));
    // After the halt the PC stands behind it and a halted step no longer moves it.
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
    using Command = void (SimulatorDocument::*)();
    struct Refusal {
        Command command;
        std::optional<std::string> one;
        std::optional<std::pair<std::string, std::string>> two;
        std::vector<std::string> boxes;
    };
    const std::string pcPrompt = "Enter PC stop address:", regPrompt = "Enter register num and stop value:",
                      memPrompt = "Enter address and stop value:", area = "Enter memory address area:",
                      value = "Enter the new value:";
    const std::vector<Refusal> refusals = {
        {&SimulatorDocument::OnRunUntilPc, "-1", {}, {pcPrompt, "Invalid address"}},
        {&SimulatorDocument::OnRunUntilPc, "one", {}, {pcPrompt, "Invalid number"}},
        // The texts are checked before the register number.
        {&SimulatorDocument::OnRunUntilReg, {}, {{"32", "5"}}, {regPrompt, "invalid register number"}},
        {&SimulatorDocument::OnRunUntilReg, {}, {{"0x20", "5"}}, {regPrompt, "invalid register number"}},
        {&SimulatorDocument::OnRunUntilReg, {}, {{"-1", "5"}}, {regPrompt, "invalid register number"}},
        {&SimulatorDocument::OnRunUntilReg, {}, {{"32", "five"}}, {regPrompt, "Invalid number"}},
        {&SimulatorDocument::OnRunUntilReg, {}, {{"r1", "five"}}, {regPrompt, "Invalid number"}},
        {&SimulatorDocument::OnRunUntilMemory, {}, {{"-2", "0"}}, {memPrompt, "Invalid address"}},
        {&SimulatorDocument::OnRunUntilMemory, {}, {{"0x40", ""}}, {memPrompt, "Invalid number"}},
        {&SimulatorDocument::OnJumpTo, "0x", {}, {"Enter jump target address:", "Invalid number"}},
        // Fill memory asks both dialogs before any check.
        {&SimulatorDocument::OnFillMemory, "x", {{"zz", "-1"}}, {area, value, "Invalid number"}},
        {&SimulatorDocument::OnFillMemory, "x", {{"0", "-1"}}, {area, value, "Invalid number"}},
        {&SimulatorDocument::OnFillMemory, "1", {{"0", "-1"}}, {area, value, "Invalid address"}}};
    machine().JumpTo(9);
    for (const Refusal& refusal : refusals) {
        if (refusal.one) AnswerOne(refusal.one);
        if (refusal.two) AnswerTwo(refusal.two->first, refusal.two->second);
        (document.*refusal.command)();
        EXPECT_EQ(Boxes(), refusal.boxes) << refusal.boxes.back();
    }
    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(machine().PC, 9);
    EXPECT_TRUE(machine().DataMemory().empty());
}

TEST_F(RunCommands, TypedNumbersMustHoldDigitsAndFit32Bits) {
    machine().JumpTo(9);
    for (const char* text :
         {"", "-", "99999999999", "4294967296", "-2147483649", "0x123456789", "12abc", " 1"}) {
        AnswerOne(text);
        document.OnJumpTo();
        EXPECT_EQ(Boxes().back(), "Invalid number") << '"' << text << '"';
    }
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(9, 0));
    const std::pair<const char*, int32_t> accepted[] = {{"0XdeadBEEF", static_cast<int32_t>(0xDEADBEEF)},
                                                        {"4294967295", -1},
                                                        {"-2147483648", INT32_MIN},
                                                        {"0x1f", 31},
                                                        {"-12", -12},
                                                        {"007", 7}};
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
    EXPECT_EQ(machine().PC, 16);
    EXPECT_EQ(Boxes(), std::vector<std::string>(3, "Enter number of steps to run:"));
    document.OnRunSteps(); // cancelled: no refresh
    EXPECT_EQ(view.updates, 3);

    AnswerOne("-3");
    document.OnJumpTo();
    EXPECT_EQ(std::tuple(machine().PC, machine().Halted), std::tuple(-3, false));
    document.OnJumpTo(); // cancelled, yet refreshed
    EXPECT_EQ(view.updates, 5);
    // A step at an address without a program record only advances the PC.
    document.OnStep();
    EXPECT_EQ(machine().PC, -2);
}

TEST_F(RunCommands, FillMemoryWritesTheRangeInclusiveUpToTheLargestAddress) {
    const auto fill = [&](std::string min, std::string max, std::optional<std::string> value) {
        AnswerTwo(std::move(min), std::move(max));
        AnswerOne(std::move(value));
        document.OnFillMemory();
    };
    fill("0x10", "0x0f", "7");
    EXPECT_TRUE(machine().DataMemory().empty());
    fill("0x10", "0x10", "-1");
    fill("0x7FFFFFFE", "0x7FFFFFFF", "0x5");
    EXPECT_EQ(machine().DataMemory(),
              (std::map<int32_t, int32_t>{{16, -1}, {0x7FFFFFFE, 5}, {0x7FFFFFFF, 5}}));
    EXPECT_EQ(view.updates, 3);
    // Cancel in either dialog refreshes and writes nothing.
    fill("0", "3", std::nullopt);
    document.OnFillMemory();
    EXPECT_EQ(view.updates, 5);
    EXPECT_EQ(machine().DataMemory().size(), 3u);

    store->dataMemory.clear();
    fill("0", "0x10000", "1"); // one word more than 64k
    EXPECT_EQ(Boxes().back(), "Cannot fill address space larger than 64k");
    EXPECT_TRUE(machine().DataMemory().empty());
    fill("0x10000", "0x1FFFF", "1");
    EXPECT_EQ(machine().DataMemory().size(), 0x10000u);
}

TEST_F(RunCommands, ResetsLeaveTheRestAloneAndASecondWindowClearsTheRegistersOfBoth) {
    Load(kCounter);
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
    ASSERT_EQ(machine().GetRegister(1), 1);
    SimulatorDocument second(Environment(), prompter);
    EXPECT_EQ(std::tuple(machine().GetRegister(1), machine().PC, second.machine().ReadMemory(0x30)),
              std::tuple(0, 1, 9));
    // Without a program its step only advances the shared PC; it refreshes only its own views.
    second.OnStep();
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(2, 5));
}
