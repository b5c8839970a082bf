// Continuous mode: the free run with a worker thread watching for the halt, on the emulated
// board and on scripted status samples.

#include "MonitorFixture.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <gmock/gmock.h>
#include <ranges>
#include <thread>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace control;
using testing::PortSample;

class ContinuousRun : public testing::MonitorTest {
  protected:
    // Counts r1 down from 2000, then halts at 3 (the PC then reads 4).
    void HaltingProgram() {
        WriteProgram(
            {dlx.I("addi", 1, 0, 2000), dlx.I("subi", 1, 1, 1), dlx.I("bnez", 0, 1, -2), dlx.Halt()});
    }
    void ExpectIdle() {
        EXPECT_EQ(form().Text(ContinuousMode), "C&ontinuous Mode");
        for (const auto& [id, state] : form().Controls())
            EXPECT_TRUE(state.enabled) << id;
        EXPECT_FALSE(monitor->continuousModeRunning());
    }
};

TEST_F(ContinuousRun, RunsUntilTheHaltAndEndsItselfOnTheUiThread) {
    HaltingProgram();
    LoadStoreLab();
    monitor->OnContinuousMode();
    EXPECT_EQ(form().Text(ContinuousMode), "St&op");
    EXPECT_FALSE(form().Enabled(Step));
    EXPECT_EQ(form().defaultButton, ContinuousMode) << "Enter stops the run";

    ASSERT_TRUE(host.WaitForPosted());
    EXPECT_THAT(TakeBoxes(), IsEmpty()) << "nothing is shown from the worker thread";
    EXPECT_EQ(host.RunPosted(), 1);
    EXPECT_THAT(TakeBoxes(), ElementsAre("HALT has been reached. \nStopping Continuous mode."));
    ExpectIdle();
    EXPECT_EQ(form().slaveList.lines[0], "PC = 0x00000004");
    EXPECT_EQ(form().defaultButton, ContinuousMode) << "nothing sets the default back";
}

// One rule for the buttons, the menu and its accelerators: while the CPU runs free, only what leaves
// the board alone stays, and the button that ends the run.
TEST_F(ContinuousRun, StopEndsTheWorkerAndTheRunAndWhileItRunsOnlyBoardFreeCommandsStay) {
    WriteProgram({dlx.I("j", 0, 0, -1)});
    LoadStoreLab();
    const auto commands = std::views::iota(1000, 32805); // the form's controls and menu 129
    monitor->OnContinuousMode();
    ASSERT_TRUE(monitor->continuousModeRunning());
    for (int id : commands)
        ASSERT_EQ(monitor->CommandAllowed(id),
                  id == ContinuousMode || id == 32785 || id == 32803 || id == 32804)
            << id;
    const int opens = port->opens;
    monitor->OnContinuousMode();
    ExpectIdle();
    EXPECT_THAT(TakeBoxes(), IsEmpty());
    EXPECT_EQ(port->opens, opens + 1) << "refreshed";
    EXPECT_EQ(host.RunPosted(), 0);
    EXPECT_FALSE(BoardWord(StatusRegister) & 0x100) << "stopped, not halted";
    EXPECT_EQ(form().slaveList.lines[0], "PC = 0x00000000");

    monitor->OnContinuousMode(); // a second run makes a new worker
    EXPECT_TRUE(monitor->continuousModeRunning());
    monitor->OnContinuousMode();
    ExpectIdle();
    EXPECT_TRUE(std::ranges::all_of(commands, [&](int id) { return monitor->CommandAllowed(id); }));
}

TEST_F(ContinuousRun, AStartThatFailsChangesNothing) {
    LoadStoreLab();
    port->deadCpu = true;
    const int opens = port->opens;
    monitor->OnContinuousMode();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Error in run:\nNo answer"));
    ExpectIdle();
    EXPECT_EQ(port->opens, opens);
    EXPECT_EQ(form().defaultButton, 0);
}

TEST_F(ContinuousRun, AStopThatCrossesTheHaltNeitherWaitsNorEndsTwice) {
    HaltingProgram();
    LoadStoreLab();
    monitor->OnContinuousMode();
    ASSERT_TRUE(host.WaitForPosted());
    monitor->OnContinuousMode(); // "St&op" pressed before the halt reached the ui thread
    ExpectIdle();
    EXPECT_EQ(host.RunPosted(), 1);
    EXPECT_THAT(TakeBoxes(), IsEmpty()) << "the halt of a stopped run is past";
}

TEST_F(ContinuousRun, ClosingTheViewStopsTheWorkerAndDropsAHaltPostedToIt) {
    for (bool halts : {false, true}) {
        WriteProgram(halts ? std::vector<uint32_t>{dlx.Halt()} : std::vector<uint32_t>{dlx.I("j", 0, 0, -1)});
        LoadStoreLab();
        monitor->OnContinuousMode();
        if (halts) {
            ASSERT_TRUE(host.WaitForPosted());
        }
        monitor.reset();
        EXPECT_EQ(host.RunPosted(), halts ? 1 : 0);
        EXPECT_THAT(TakeBoxes(), IsEmpty());
    }
}

// The worker waits between polls, so it keeps no core busy, yet sees a halt at once.
TEST(ContinuousWorker, WaitsBetweenPollsWakesAtAStopAndSeesAHaltWithinMilliseconds) {
    std::atomic<int> polls{0};
    {
        ContinuousRunner patient(std::chrono::hours(1));
        patient.Start([&] { return ++polls > 99; }, [] {});
        while (polls == 0)
            std::this_thread::yield();
        patient.Stop(); // within the hour's pause
    }
    EXPECT_EQ(polls, 1);

    std::atomic<bool> halted{false};
    std::promise<std::chrono::steady_clock::time_point> seen;
    ContinuousRunner runner;
    polls = 0;
    runner.Start([&] { return ++polls > 3 && halted; },
                 [&] { seen.set_value(std::chrono::steady_clock::now()); });
    while (polls < 3)
        std::this_thread::yield();
    const auto haltAt = std::chrono::steady_clock::now();
    halted = true;
    EXPECT_LT(seen.get_future().get() - haltAt, std::chrono::milliseconds(50));
    runner.Stop();
}

// On scripted samples (the start sees bit 2 toggle, then the polls): a user's stop that fails
// shows the error text, a stop after the halt that fails says so without it.
TEST_F(ContinuousRun, AStopThatFailsSaysSo) {
    MakeScriptedMonitor({PortSample(0x00), PortSample(0x04)});
    monitor->OnContinuousMode();
    monitor->OnContinuousMode();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Error in stop:\nOperation not done"));
    ExpectIdle();

    MakeScriptedMonitor({PortSample(0x00), PortSample(0x04), PortSample(0x0C), PortSample(0x04)});
    monitor->OnContinuousMode();
    ASSERT_TRUE(host.WaitForPosted());
    host.RunPosted();
    EXPECT_THAT(TakeBoxes(),
                ElementsAre("HALT has been reached. \nStopping Continuous mode.", "Error in stop."));
    EXPECT_EQ(form().Text(ContinuousMode), "C&ontinuous Mode");
}

} // namespace
} // namespace vorn::monitor
