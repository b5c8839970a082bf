// The logic-analyser capture and the signal windows: when a window is made, refilled or left
// alone, and which samples, names and bits it gets.

#include "MonitorFixture.h"

#include <gmock/gmock.h>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SignalWindows : public testing::MonitorTest {
  protected:
    std::vector<std::string> Names(const Capture& capture) {
        std::vector<std::string> names;
        for (const auto& signal : capture.captured)
            names.push_back(signal.name + "@" + std::to_string(signal.bitNumber));
        return names;
    }
    const Capture& LastFill(SignalWindowId window) { return host.windows.at(window).fills.back(); }
    std::vector<SignalWindowId> OpenWindows() {
        std::vector<SignalWindowId> open;
        for (size_t i = 0; i < host.windows.size(); ++i)
            if (host.windows[i].open && host.windows[i].request.title == "ACTIVE Signals Window")
                open.push_back(static_cast<int>(i));
        return open;
    }
};

TEST_F(SignalWindows, TheButtonMakesAnActiveWindowWithTheCapture) {
    WriteProgram({dlx.I("addi", 1, 0, 1), dlx.R("add", 2, 1, 1), dlx.I("j", 0, 0, -3)});
    LoadStoreLab();
    monitor->OnStep();
    monitor->OnStep();
    monitor->OnSignalWaveforms();
    ASSERT_EQ(OpenWindows().size(), 1u);
    EXPECT_EQ(host.windows[0].request, kActiveSignalsWindow);
    const Capture& capture = LastFill(0);
    EXPECT_EQ(capture.steps, 2);
    // The samples of the two steps: the PC after each, RTYPE with the add, REGWRITE with both.
    EXPECT_THAT(capture.samples, ElementsAre(0x801u, 0xA02u));
    EXPECT_THAT(Names(capture), ElementsAre("PC0@0", "PC1@1", "PC2@2", "PC3@3", "HALT@8", "RTYPE@9",
                                            "JUMP@10", "REGWRITE@11"));
}

TEST_F(SignalWindows, AFullAnalyserOfAHaltedCpuCountsOnlyTheLowByte) {
    WriteProgram({dlx.I("addi", 1, 0, 40), dlx.I("subi", 1, 1, 1), dlx.I("bnez", 0, 1, -2), dlx.Halt()});
    LoadStoreLab();
    monitor->OnRunUntilHalt();
    EXPECT_EQ(BoardWord(StatusRegister), 0x11Fu);
    monitor->OnSignalWaveforms();
    EXPECT_EQ(LastFill(0).samples.size(), 31u);
    EXPECT_EQ(LastFill(0).samples.back() & 0x100, 0x100u) << "the last sample is the halt";
}

TEST_F(SignalWindows, TheRefreshRefillsTheOpenWindowAndLeavesAClosedOneAlone) {
    WriteProgram({dlx.I("addi", 1, 0, 1), dlx.I("j", 0, 0, -2)});
    LoadStoreLab();
    monitor->OnSignalWaveforms();
    monitor->OnStep();
    ASSERT_EQ(host.windows.size(), 1u);
    EXPECT_EQ(host.windows[0].fills.size(), 2u);
    EXPECT_EQ(LastFill(0).steps, 1);

    monitor->OnOpenActiveWindow(); // pressed again: one window, made anew
    EXPECT_THAT(OpenWindows(), ElementsAre(1));
    EXPECT_THAT(host.events, ::testing::Contains("destroy 0"));

    host.windows[1].open = false; // the user closes it
    monitor->OnStep();
    EXPECT_EQ(host.windows.size(), 2u) << "no new window";
    EXPECT_EQ(host.windows[1].fills.size(), 1u);
    monitor->OnSignalWaveforms();
    EXPECT_THAT(OpenWindows(), ElementsAre(2));
    EXPECT_THAT(host.events, ::testing::Not(::testing::Contains("destroy 1")));
}

TEST_F(SignalWindows, TheWindowNeedsLaRamAndAStatusLabel) {
    ChooseLab(SimpleSlave, "slave.lbl");
    monitor->OnSignalWaveforms();
    EXPECT_THAT(TakeBoxes(), ElementsAre("LA RAM address not set."));

    LoadStoreLab();
    auto& page = monitor->wizard().labels;
    page.OnSetActive();
    page.OnSelect(LabelKind::Slave, 1);
    page.OnDeleteLabel(LabelKind::Slave);
    monitor->OnLabelsConfigEnded(true);
    monitor->OnSignalWaveforms();
    EXPECT_THAT(TakeBoxes(), ElementsAre("No STATUS label defined."));
    EXPECT_THAT(host.windows, IsEmpty());
}

TEST_F(SignalWindows, FailedReadsOfTheSamplesAndOfStatus) {
    WriteProgram({dlx.I("addi", 1, 0, 1), dlx.I("addi", 1, 0, 1)});
    LoadStoreLab();
    monitor->OnStep();
    monitor->OnStep();
    port->deadReads = {LaRam};
    prompter.yesNoAnswers = {true};
    monitor->OnRefreshData();
    EXPECT_EQ(prompter.boxes.at(0).caption, "Read Error");
    EXPECT_THAT(monitor->capture().samples, ElementsAre(kFailedRead, 0x2u))
        << "r1 keeps its value: no REGWRITE";

    port->deadReads = {StatusRegister};
    prompter.yesNoAnswers = {true};
    monitor->OnRefreshData();
    EXPECT_EQ(monitor->capture().steps, 0);
    EXPECT_THAT(monitor->capture().samples, IsEmpty());
    TakeBoxes();
    monitor->OnSignalWaveforms();
    EXPECT_THAT(TakeBoxes(), ElementsAre("STATUS value is illegal."));
    EXPECT_THAT(host.windows, IsEmpty());
}

TEST_F(SignalWindows, AnEmptyAnalyserGivesNoSampleButEverySignal) {
    LoadStoreLab();
    monitor->OnSignalWaveforms();
    EXPECT_EQ(LastFill(0).steps, 0);
    EXPECT_THAT(LastFill(0).samples, IsEmpty());
    EXPECT_EQ(LastFill(0).captured.size(), 8u);
}

} // namespace
} // namespace vorn::monitor
