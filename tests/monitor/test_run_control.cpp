// Run control on the emulated board: step, the reset line, and the runs with their questions,
// counted in steps or timed by the clock.

#include "MonitorFixture.h"

#include <gmock/gmock.h>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace control;
using Values = std::pair<std::string, std::string>;

class RunControl : public testing::MonitorTest {
  protected:
    // Ten counting steps (r1 = 1, 2, ...) then halt at 10.
    void CountingProgram() {
        std::vector<uint32_t> words(10, dlx.I("addi", 1, 1, 1));
        words.push_back(dlx.Halt());
        WriteProgram(words);
        LoadStoreLab();
    }
    // A jump to itself: the CPU never halts.
    void EndlessProgram() {
        WriteProgram({dlx.I("j", 0, 0, -1)});
        LoadStoreLab();
    }
    uint32_t Pc() { return BoardWord(PcRegister); }
    static std::string Steps(int n) {
        return std::to_string(n) + " steps had passed. Do you want to continue waiting?";
    }
    static std::string Seconds(int n) {
        return std::to_string(n) + " seconds had passed. Do you want to continue waiting?";
    }
    std::vector<std::string> StatusChanges() {
        std::vector<std::string> changes;
        for (const std::string& event : std::exchange(host.events, {}))
            if (event.starts_with("form ")) changes.push_back(event.substr(5));
        return changes;
    }
};

TEST_F(RunControl, StepAndTheResetLineRefreshAlsoAfterAnError) {
    CountingProgram();
    monitor->OnStep();
    EXPECT_EQ(form().slaveList.lines[0], "PC = 0x00000001");
    port->writes.clear();
    int opens = port->opens;
    monitor->OnResetToggle();
    EXPECT_EQ(form().Text(Reset), "&Reset=0");
    EXPECT_EQ(port->opens, opens) << "only the release refreshes";
    monitor->OnStep();
    monitor->OnResetToggle();
    EXPECT_EQ(form().Text(Reset), "&Reset=1");
    EXPECT_EQ(port->Controls()[0], 0x0Cu);
    EXPECT_EQ(port->Controls()[1], 0x1Cu) << "a step while the line is held";
    EXPECT_EQ(port->opens, opens + 2);

    port->deadCpu = true;
    opens = port->opens;
    monitor->OnStep();
    monitor->link().Disconnect(); // no device
    monitor->OnResetToggle();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Error in step:\nNo answer", "Error in reset:\nNo answer"));
    EXPECT_EQ(form().Text(Reset), "&Reset=0");
    EXPECT_EQ(port->opens, opens + 1);
}

TEST_F(RunControl, RunNStepsMakesEveryStepWithoutAskingAndCountsFailures) {
    CountingProgram();
    settings.stepsUntilMsgHardware = 1;
    for (const char* typed : {"0", "-3", "abc"}) {
        prompter.oneValueAnswers.push_back(typed);
        monitor->OnRunSteps();
        EXPECT_EQ(Pc(), 0u) << typed;
    }
    const int opens = port->opens;
    monitor->OnRunSteps(); // cancelled
    EXPECT_EQ(port->opens, opens + 1) << "a cancel refreshes too";
    EXPECT_EQ(form().Text(Status), "");
    StatusChanges();
    prompter.oneValueAnswers.push_back("0x5");
    monitor->OnRunSteps();
    EXPECT_EQ(Pc(), 5u);
    EXPECT_THAT(StatusChanges(), ElementsAre("Running 5 steps", ""));
    EXPECT_EQ(form().slaveList.lines[0], "PC = 0x00000005");
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>(5, "Enter number of steps to run:"));

    std::deque<uint64_t> samples(10, testing::PortSample(0x0C)); // the second of three steps sees no toggle
    samples.front() = samples.back() = testing::PortSample(0);
    MakeScriptedMonitor(samples);
    prompter.oneValueAnswers.push_back("3");
    monitor->OnRunSteps();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Enter number of steps to run:", "There have been 1 errors."));
}

TEST_F(RunControl, RunUntilPcAsksEveryStepsUntilMsgHardwareStepsAndNoEndsTheRun) {
    CountingProgram();
    prompter.oneValueAnswers.push_back("0");
    monitor->OnRunUntilPc();
    EXPECT_EQ(Pc(), 0u) << "there already: no step";

    settings.stepsUntilMsgHardware = 3;
    prompter.oneValueAnswers.push_back("0x7");
    prompter.yesNoAnswers = {true, true};
    StatusChanges();
    TakeBoxes();
    monitor->OnRunUntilPc();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Enter PC stop address:", Steps(3), Steps(6)));
    EXPECT_EQ(Pc(), 7u);
    EXPECT_THAT(StatusChanges(), ElementsAre("Running...", ""));

    settings.stepsUntilMsgHardware = 0; // asks at every step
    prompter.oneValueAnswers.push_back("0");
    prompter.yesNoAnswers = {true};
    monitor->OnRunUntilPc();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Enter PC stop address:", Steps(1), Steps(2)));
    EXPECT_EQ(Pc(), 9u);
}

TEST_F(RunControl, RunsRefuseWhatTheyNeedButLack) {
    MakeMonitor();
    monitor->OnRunUntilReg();
    EXPECT_THAT(TakeBoxes(), ElementsAre("CPU RAM address not set."));

    ChooseLab(SimpleSlave, "slave.lbl");
    auto& page = monitor->wizard().labels;
    page.OnSetActive();
    page.OnSelect(LabelKind::Slave, 0);
    page.OnDeleteLabel(LabelKind::Slave);
    monitor->OnLabelsConfigEnded(true);
    prompter.boxes.clear();
    const int opens = port->opens;
    monitor->OnRunUntilPc();
    EXPECT_THAT(TakeBoxes(), ElementsAre("No PC label defined!"));
    EXPECT_EQ(port->opens, opens) << "no refresh";
}

TEST_F(RunControl, RunUntilRegAndRunUntilMemCheckTheirInput) {
    settings.RAMstart = 0x10;
    WriteProgram({dlx.I("addi", 1, 1, 1), dlx.I("sw", 1, 0, 0x20), dlx.I("j", 0, 0, -3)});
    LoadStoreLab();
    const int opens = port->opens;
    for (const char* reg : {"32", "-1"}) {
        prompter.twoValueAnswers.push_back(Values(reg, "1"));
        monitor->OnRunUntilReg();
        EXPECT_THAT(TakeBoxes(),
                    ElementsAre("Enter register num and stop value:", "Invalid register number."));
    }
    for (const char* address : {"0xf", "0x4000", "-1"}) {
        prompter.twoValueAnswers.push_back(Values(address, "0"));
        monitor->OnRunUntilMem();
        EXPECT_THAT(TakeBoxes(),
                    ElementsAre("Enter memory address and stop value:", "Address out of allowed range."));
    }
    EXPECT_EQ(port->opens, opens);
    for (const char* address : {"0x10", "0x3fff"}) {
        prompter.twoValueAnswers.push_back(Values(address, "0"));
        monitor->OnRunUntilMem();
        EXPECT_THAT(TakeBoxes(), ElementsAre("Enter memory address and stop value:")) << address;
    }
    prompter.twoValueAnswers.push_back(Values("1", "3"));
    monitor->OnRunUntilReg();
    EXPECT_EQ(form().Text(FirstRegisterValue + 1), "0x00000003");
    prompter.twoValueAnswers.push_back(Values("31", "0"));
    TakeBoxes();
    monitor->OnRunUntilReg();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Enter register num and stop value:")) << "register 31 is valid";
    EXPECT_EQ(Pc(), 1u) << "register 31 already reads 0";
    prompter.twoValueAnswers.push_back(Values("0x20", "4"));
    monitor->OnRunUntilMem();
    EXPECT_EQ(BoardWord(0x20), 4u);
    EXPECT_EQ(Pc(), 2u) << "stopped right after the store";
}

TEST_F(RunControl, AWatchedWordThatIsNeverReadIsNeverReached) {
    EndlessProgram();
    settings.stepsUntilMsgHardware = 2;
    port->deadReads = {0x30};
    prompter.twoValueAnswers.push_back(Values("0x30", "0"));
    monitor->OnRunUntilMem();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Enter memory address and stop value:", Steps(2)))
        << "the failed reads are not reported";
}

TEST_F(RunControl, RunUntilHaltAsksOnceAtEveryThirtySecondsAfterTheAnswer) {
    struct Case {
        std::deque<int64_t> times;
        std::vector<bool> answers;
        std::vector<std::string> boxes;
    };
    // The start is 1000 and the run is one second old at once. The clock stands still for a
    // while at 30 and at 60 seconds; a question left open for 100 seconds asks next at 150.
    for (const Case& c :
         {Case{{1000, 1001, 1028, 1029, 1029, 1029, 1030, 1058, 1059, 1059},
               {true, true},
               {Seconds(30), Seconds(60), Seconds(90)}},
          Case{{1000, 1029, 1129, 1130, 1148, 1149}, {true, false}, {Seconds(30), Seconds(150)}}}) {
        EndlessProgram();
        clock.times = c.times;
        clock.stepPerCall = 1;
        prompter.yesNoAnswers.assign(c.answers.begin(), c.answers.end());
        StatusChanges();
        monitor->OnRunUntilHalt();
        EXPECT_EQ(TakeBoxes(), c.boxes);
        EXPECT_THAT(StatusChanges(), ElementsAre("Running...", ""));
        EXPECT_FALSE(BoardWord(StatusRegister) & 0x100) << "stopped, not halted";
    }
}

TEST_F(RunControl, ARunThatDoesNotStartOrStopSaysSo) {
    EndlessProgram();
    port->deadCpu = true;
    const int opens = port->opens;
    StatusChanges();
    monitor->OnRunUntilHalt();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Error in run:\nNo answer"));
    EXPECT_EQ(port->opens, opens) << "a run that did not start changes nothing";
    EXPECT_THAT(StatusChanges(), IsEmpty());

    port->deadCpu = false;
    clock.stepPerCall = 10;
    clock.onCall = [this] { port->deadCpu = clock.calls > 1; };
    monitor->OnRunUntilHalt();
    EXPECT_THAT(TakeBoxes(), ElementsAre(Seconds(31), "Error in stop:\nOperation not done"));
    EXPECT_EQ(port->opens, opens + 1) << "refreshed all the same";
}

} // namespace
} // namespace vorn::monitor
