// The run menu and the machine commands of the simulator document: what each prompt accepts,
// when the long runs ask to go on, and what two windows on one store share.

#include "SimulatorFixture.h"

using namespace vorn::simulator;
using namespace vorn::simulator::testing;

namespace {

const std::string kAskAt1000 = "1000 steps had passed. Do you want to continue waiting?";

// Two instructions that count R1 up for ever.
const std::vector<std::string> kCounter = {"loop: addi r1 r1 1", "      j loop"};

class RunCommands : public SimulatorTest {};

} // namespace

TEST_F(RunCommands, ALongRunAsksBeforeEveryMultipleOfTheStepCount) {
    // Without a program every step only advances the PC, so the PC counts the steps done.
    document.OnRunUntilHalt();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, "VORN");
    EXPECT_EQ(Boxes(), std::vector<std::string>{kAskAt1000});
    EXPECT_EQ(machine().PC, 999);
    EXPECT_EQ(view.updates, 1);

    machine().Reset();
    prompter.yesNoAnswers = {true, true, false};
    document.OnRunUntilHalt();
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{kAskAt1000, "2000 steps had passed. Do you want to continue waiting?",
                                        "3000 steps had passed. Do you want to continue waiting?"}));
    EXPECT_EQ(machine().PC, 2999);
}

TEST_F(RunCommands, WithAStepCountOfOneTheQuestionComesBeforeEveryStep) {
    set.stepsUntilMsg = 1;
    prompter.yesNoAnswers = {true, true, false};
    document.OnRunUntilHalt();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"1 steps had passed. Do you want to continue waiting?",
                                                 "2 steps had passed. Do you want to continue waiting?",
                                                 "3 steps had passed. Do you want to continue waiting?"}));
    EXPECT_EQ(machine().PC, 2);
    EXPECT_EQ(prompter.boxes.size(), 0u);
}

TEST_F(RunCommands, AConditionThatAlreadyHoldsRunsNoStep) {
    machine().JumpTo(7);
    AnswerOne("7");
    document.OnRunUntilPc();
    EXPECT_EQ(machine().PC, 7);
    EXPECT_EQ(view.updates, 1);

    machine().Halted = true;
    document.OnRunUntilHalt();
    EXPECT_EQ(machine().PC, 7);
    EXPECT_EQ(view.updates, 2);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Enter PC stop address:"});
}

TEST_F(RunCommands, RunUntilHaltExecutesTheLabLoopToItsEnd) {
    prompter.fileAnswers.push_back(std::string(VORN_SOURCE_DIR) + "/lab/examples/loop.s");
    document.OnOpenSource();
    document.OnRunUntilHalt();
    EXPECT_TRUE(machine().Halted);
    EXPECT_EQ(machine().GetRegister(2), 55);
    EXPECT_EQ(machine().GetRegister(1), 0);
    EXPECT_EQ(machine().ReadMemory(0x20), 55);
    EXPECT_EQ(machine().ReadMemory(0x21), 10);
}

TEST_F(RunCommands, RunUntilPcStopsAtTheTargetAndRefusesANegativeOne) {
    Load(kCounter);
    AnswerOne("0x1");
    document.OnRunUntilPc();
    EXPECT_EQ(machine().PC, 1);
    EXPECT_EQ(machine().GetRegister(1), 1);

    AnswerOne("-1");
    document.OnRunUntilPc();
    AnswerOne("one");
    document.OnRunUntilPc();
    AnswerOne(std::nullopt);
    document.OnRunUntilPc();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           "Enter PC stop address:", "Enter PC stop address:", "Invalid address",
                           "Enter PC stop address:", "Invalid number", "Enter PC stop address:"}));
    EXPECT_EQ(view.updates, 1);
}

TEST_F(RunCommands, RunNStepsNeverAsksAndRunsAlsoOnAHaltedMachine) {
    set.stepsUntilMsg = 1;
    AnswerOne("0");
    document.OnRunSteps();
    AnswerOne("-5");
    document.OnRunSteps();
    EXPECT_EQ(machine().PC, 0);
    EXPECT_EQ(view.updates, 2);

    machine().Halted = true;
    AnswerOne("0x10");
    document.OnRunSteps();
    EXPECT_EQ(machine().PC, 16);
    EXPECT_EQ(Boxes(), std::vector<std::string>(3, "Enter number of steps to run:"));

    AnswerOne(std::nullopt);
    document.OnRunSteps();
    EXPECT_EQ(view.updates, 3);
}

TEST_F(RunCommands, RunUntilRegChecksBothTextsBeforeTheRegisterNumber) {
    for (const char* number : {"32", "0x20", "-1"}) {
        AnswerTwo(number, "5");
        document.OnRunUntilReg();
        EXPECT_EQ(Boxes(),
                  (std::vector<std::string>{"Enter register num and stop value:", "invalid register number"}))
            << number;
    }
    AnswerTwo("32", "five");
    document.OnRunUntilReg();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Enter register num and stop value:", "Invalid number"}));
    AnswerTwo("r1", "five");
    document.OnRunUntilReg();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Enter register num and stop value:", "Invalid number"}));
    EXPECT_EQ(view.updates, 0);
    EXPECT_EQ(machine().PC, 0);
}

TEST_F(RunCommands, RunUntilRegComparesTheCurrentRegisterFile) {
    Load(kCounter);
    AnswerTwo("1", "5");
    document.OnRunUntilReg();
    EXPECT_EQ(machine().GetRegister(1), 5);
    EXPECT_EQ(machine().PC, 1); // the addi that made it 5 is done, the jump not yet

    // Register 0 of "MR" reads 0, so waiting for 0 there stops at once.
    AnswerTwo("0", "0");
    document.OnRunUntilReg();
    EXPECT_EQ(machine().PC, 1);
}

TEST_F(RunCommands, RunUntilMemoryWatchesAWordThatTheProgramWrites) {
    Load({"loop: addi r1 r1 1", "      sw r1 r0 0x40", "      j loop"});
    AnswerTwo("0x40", "3");
    document.OnRunUntilMemory();
    EXPECT_EQ(machine().ReadMemory(0x40), 3);
    EXPECT_EQ(machine().PC, 2);

    AnswerTwo("-2", "0");
    document.OnRunUntilMemory();
    AnswerTwo("0x40", "");
    document.OnRunUntilMemory();
    Boxes();
    AnswerTwo("0x50", "0");
    document.OnRunUntilMemory();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Enter address and stop value:"});
    // The stop test read the absent word and so created it.
    EXPECT_EQ(machine().DataMemory().count(0x50), 1u);
    EXPECT_EQ(machine().PC, 2);
}

TEST_F(RunCommands, ARunWhoseConditionCannotComeTrueGoesOnUntilNo) {
    // After the halt the PC stands behind it and a halted step no longer moves it.
    Load({"halt", "dc 0x0"});
    AnswerOne("5");
    prompter.yesNoAnswers = {true};
    document.OnRunUntilPc();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Enter PC stop address:", kAskAt1000,
                                                 "2000 steps had passed. Do you want to continue waiting?"}));
    EXPECT_EQ(machine().PC, 1);
    EXPECT_TRUE(machine().Halted);
}

TEST_F(RunCommands, JumpToTakesAnyNumberAndClearsTheHaltedFlag) {
    machine().Halted = true;
    AnswerOne("-3");
    document.OnJumpTo();
    EXPECT_EQ(machine().PC, -3);
    EXPECT_FALSE(machine().Halted);
    EXPECT_EQ(view.updates, 1);

    AnswerOne(std::nullopt);
    document.OnJumpTo();
    EXPECT_EQ(view.updates, 2); // Cancel still refreshes

    AnswerOne("0x");
    document.OnJumpTo();
    EXPECT_EQ(view.updates, 2);
    EXPECT_EQ(machine().PC, -3);
    EXPECT_EQ(Boxes().back(), "Invalid number");

    // A step at an address without a program record only advances the PC.
    document.OnStep();
    EXPECT_EQ(machine().PC, -2);
}

TEST_F(RunCommands, TypedNumbersMustHoldDigitsAndFit32Bits) {
    machine().JumpTo(9);
    for (const char* text :
         {"", "-", "99999999999", "4294967296", "-2147483649", "0x123456789", "12abc", " 1"}) {
        AnswerOne(text);
        document.OnJumpTo();
        EXPECT_EQ(Boxes().back(), "Invalid number") << '"' << text << '"';
    }
    EXPECT_EQ(machine().PC, 9);
    EXPECT_EQ(view.updates, 0);

    const std::vector<std::pair<std::string, int32_t>> accepted = {
        {"0XdeadBEEF", static_cast<int32_t>(0xDEADBEEF)},
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

TEST_F(RunCommands, FillMemoryWritesTheRangeInclusive) {
    AnswerTwo("0x10", "0x0f");
    AnswerOne("7");
    document.OnFillMemory();
    EXPECT_TRUE(machine().DataMemory().empty());
    EXPECT_EQ(view.updates, 1);

    AnswerTwo("0x10", "0x10");
    AnswerOne("-1");
    document.OnFillMemory();
    EXPECT_EQ(machine().DataMemory(), (std::map<int32_t, int32_t>{{16, -1}}));

    // A range that ends at the largest address ends.
    AnswerTwo("0x7FFFFFFE", "0x7FFFFFFF");
    AnswerOne("0x5");
    document.OnFillMemory();
    EXPECT_EQ(machine().DataMemory(),
              (std::map<int32_t, int32_t>{{16, -1}, {0x7FFFFFFE, 5}, {0x7FFFFFFF, 5}}));
    EXPECT_EQ(view.updates, 3);
}

TEST_F(RunCommands, FillMemoryAsksBothDialogsBeforeAnyCheck) {
    AnswerTwo("zz", "-1");
    AnswerOne("x");
    document.OnFillMemory();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           "Enter memory address area:", "Enter the new value:", "Invalid number"}));

    AnswerTwo("0", "-1");
    AnswerOne("x");
    document.OnFillMemory();
    EXPECT_EQ(Boxes().back(), "Invalid number");
    AnswerTwo("0", "-1");
    AnswerOne("1");
    document.OnFillMemory();
    EXPECT_EQ(Boxes().back(), "Invalid address");
    EXPECT_EQ(view.updates, 0);

    AnswerTwo("0", "3");
    AnswerOne(std::nullopt);
    document.OnFillMemory();
    document.OnFillMemory(); // both dialogs cancelled
    EXPECT_EQ(view.updates, 2);
    EXPECT_TRUE(machine().DataMemory().empty());
}

TEST_F(RunCommands, FillMemoryRefusesARangeThatWouldExhaustMemory) {
    AnswerTwo("0", "0x7FFFFFFF");
    AnswerOne("1");
    document.OnFillMemory();
    EXPECT_EQ(Boxes().back(), "Cannot fill address space larger than 64k");
    EXPECT_TRUE(machine().DataMemory().empty());

    AnswerTwo("0x10000", "0x1FFFF");
    AnswerOne("1");
    document.OnFillMemory();
    EXPECT_EQ(machine().DataMemory().size(), 0x10000u);
}

TEST_F(RunCommands, ResetAndResetRegistersLeaveTheRestAlone) {
    Load(kCounter);
    AnswerOne("7");
    document.OnRunSteps();
    machine().Halted = true;
    document.OnReset();
    EXPECT_EQ(machine().PC, 0);
    EXPECT_FALSE(machine().Halted);
    EXPECT_EQ(machine().GetRegister(1), 4);

    machine().JumpTo(1);
    document.OnResetRegisters();
    EXPECT_EQ(machine().GetRegister(1), 0);
    EXPECT_EQ(machine().PC, 1);
    EXPECT_EQ(machine().ReadMemory(0), machine().Program().at(0).word);
    EXPECT_EQ(view.updates, 3);
}

TEST_F(RunCommands, WindowsShareTheStoreButEachStepsItsOwnProgram) {
    Load(kCounter);
    AnswerOne("3");
    document.OnRunSteps();
    machine().WriteMemory(0x30, 9);
    ASSERT_EQ(machine().GetRegister(1), 2);
    ASSERT_EQ(machine().PC, 1);

    // A second window clears the registers of both and keeps PC and memory.
    SimulatorDocument second(Environment(), prompter);
    EXPECT_EQ(machine().GetRegister(1), 0);
    EXPECT_EQ(second.machine().PC, 1);
    EXPECT_EQ(second.machine().ReadMemory(0x30), 9);

    // The second has no program: its step only advances the shared PC.
    second.OnStep();
    EXPECT_EQ(machine().PC, 2);
    EXPECT_EQ(machine().GetRegister(1), 0);
    EXPECT_EQ(view.updates, 1); // the first window is not refreshed by the second's command

    machine().JumpTo(0);
    document.OnStep();
    EXPECT_EQ(second.machine().GetRegister(1), 1);
}
