// Continuous mode: the free run with a worker thread watching for the halt, on the emulated
// board and on scripted status samples.

#include "MonitorFixture.h"
#include "ScriptedHostPort.h"

#include <atomic>
#include <future>
#include <gmock/gmock.h>
#include <thread>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace control;
using testing::PortSample;

constexpr int kRunButtons[] = {Step, Reset, RefreshData, Write, SignalWaveforms, UpdateDump};

class ContinuousRun : public testing::MonitorTest {
  protected:
    // Counts r1 down from 2000, then halts at 3 (the PC then reads 4).
    void HaltingProgram() {
        WriteProgram(
            {dlx.I("addi", 1, 0, 2000), dlx.I("subi", 1, 1, 1), dlx.I("bnez", 0, 1, -2), dlx.Halt()});
    }
    void ExpectIdle() {
        EXPECT_EQ(form().Text(ContinuousMode), "C&ontinuous Mode");
        for (int id : kRunButtons)
            EXPECT_TRUE(form().Enabled(id)) << id;
        EXPECT_FALSE(monitor->continuousModeRunning());
    }
};

TEST_F(ContinuousRun, RunsUntilTheHaltAndEndsItselfOnTheUiThread) {
    HaltingProgram();
    LoadStoreLab();
    monitor->OnContinuousMode();
    EXPECT_EQ(form().Text(ContinuousMode), "St&op");
    for (int id : kRunButtons)
        EXPECT_FALSE(form().Enabled(id)) << id;
    EXPECT_EQ(form().defaultButton, ContinuousMode) << "Enter stops the run";

    ASSERT_TRUE(host.WaitForPosted());
    EXPECT_THAT(TakeBoxes(), IsEmpty()) << "nothing is shown from the worker thread";
    EXPECT_EQ(host.RunPosted(), 1);
    EXPECT_THAT(TakeBoxes(), ElementsAre("HALT has been reached. \nStopping Continuous mode."));
    ExpectIdle();
    EXPECT_EQ(form().slaveList.lines[0], "PC = 0x00000004");
    EXPECT_EQ(form().defaultButton, ContinuousMode) << "nothing sets the default back";
}

TEST_F(ContinuousRun, StopEndsTheWorkerAndTheRun) {
    WriteProgram({dlx.I("j", 0, 0, -1)});
    LoadStoreLab();
    monitor->OnContinuousMode();
    ASSERT_TRUE(monitor->continuousModeRunning());
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

// On scripted samples: the start (bit 2 toggles), then the polls.
class ScriptedContinuousMode : public testing::MonitorTest {
  protected:
    void MakeScriptedMonitor(std::deque<uint64_t> samples) {
        auto scripted = std::make_unique<testing::ScriptedHostPort>();
        scripted->samples = std::move(samples);
        MakeMonitor(std::move(scripted));
        monitor->link().Connect();
    }
};

TEST_F(ScriptedContinuousMode, AStopThatFailsAfterTheHaltSaysSoWithoutTheErrorText) {
    MakeScriptedMonitor({PortSample(0x00), PortSample(0x04), PortSample(0x0C), PortSample(0x04)});
    monitor->OnContinuousMode();
    ASSERT_TRUE(host.WaitForPosted());
    host.RunPosted();
    EXPECT_THAT(TakeBoxes(),
                ElementsAre("HALT has been reached. \nStopping Continuous mode.", "Error in stop."));
    EXPECT_EQ(form().Text(ContinuousMode), "C&ontinuous Mode");
}

TEST_F(ScriptedContinuousMode, AUserStopThatFailsShowsTheErrorText) {
    MakeScriptedMonitor({PortSample(0x00), PortSample(0x04)});
    monitor->OnContinuousMode();
    monitor->OnContinuousMode();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Error in stop:\nOperation not done"));
    EXPECT_EQ(form().Text(ContinuousMode), "C&ontinuous Mode");
    EXPECT_TRUE(form().Enabled(Step));
}

} // namespace
} // namespace vorn::monitor
