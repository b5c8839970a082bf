// The board maker's tools: their command lines and what the monitor makes of their outcome.

#include "MonitorFixture.h"
#include "monitor/ToolCommands.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using State = ProcessOutcome::State;

TEST(ToolCommands, LoaderGetsTheUsbNumberInHexAndTheBitFileWhole) {
    isa::Settings settings;
    settings.XSdirectory = "/opt/xs tools/";
    settings.USB = 0x1F;
    EXPECT_EQ(LoaderCommand(settings, "/home/lab/my design.bit"),
              (ToolCommand{"/opt/xs tools/xsload.exe", {"-usb", "1f", "-fpga", "/home/lab/my design.bit"}}));
    EXPECT_EQ(TestCommand(settings), (ToolCommand{"/opt/xs tools/xstest.exe", {}}));
}

class Tools : public testing::MonitorTest {
  protected:
    void SetUp() override {
        settings.XSdirectory = "tools/";
        MakeMonitor();
        monitor->link().Connect();
    }
};

TEST_F(Tools, TheLoaderIsWaitedForTwentySecondsAndItsExitCodeIsNotJudged) {
    processes.outcome = {State::Exited, 3};
    EXPECT_TRUE(monitor->RunConfigurationTool("a.bit"));
    EXPECT_EQ(processes.calls.at(0).program, "tools/xsload.exe");
    EXPECT_EQ(processes.calls[0].waitMs, 20000);
    EXPECT_THAT(TakeBoxes(), IsEmpty());
    EXPECT_THAT(host.events, ElementsAre("focus"));
}

TEST_F(Tools, TheLoaderThatDoesNotStartRunsOnOrGivesNoExitCodeSaysSo) {
    processes.outcome = {State::StartFailed, 0, 2, "No such file or directory"};
    EXPECT_TRUE(monitor->RunConfigurationTool("a.bit"));
    EXPECT_EQ(prompter.boxes.at(0).caption, "Error");
    EXPECT_THAT(TakeBoxes(), ElementsAre("Failed with error 2: No such file or directory",
                                         "Failed to activate configuration program."));

    processes.outcome = {State::StillRunning};
    EXPECT_TRUE(monitor->RunConfigurationTool("a.bit"));
    processes.outcome = {State::ExitCodeUnreadable};
    EXPECT_FALSE(monitor->RunConfigurationTool("a.bit"));
    EXPECT_THAT(TakeBoxes(),
                ElementsAre("Configuration is still active - please check configuration state and press OK.",
                            "Configuration error."));
}

// The scratch files holding "^" in the test's folder.
int ScratchFiles(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += !entry.is_symlink() && testing::ReadFile(entry.path().string()) == "^";
    return count;
}

TEST_F(Tools, TestFpgaWritesAPrivateScratchFileAndJudgesTheExitCode) {
    // A link planted at a guessable name is not followed.
    std::ofstream(directory.file("victim")) << "keep";
    std::filesystem::create_symlink(directory.file("victim"), directory.file("temp.tmp"));
    std::vector<int> scratchFiles;
    processes.whileRunning = [&] { scratchFiles.push_back(ScratchFiles(directory.path())); };
    struct Case {
        ProcessOutcome outcome;
        const char* box;
    };
    const int opens = port->opens;
    for (const Case& c :
         {Case{{State::Exited, 0}, "test successful"}, Case{{State::Exited, 3}, "test failed"},
          Case{{State::StartFailed, 0, 2, "gone"}, "Failed to activate test program."},
          Case{{State::StillRunning},
               "Test program is still active - please check program state and "
               "press OK."},
          Case{{State::ExitCodeUnreadable}, "Test program error."}}) {
        processes.outcome = c.outcome;
        monitor->OnTestFpga();
        EXPECT_THAT(TakeBoxes(), ElementsAre(c.box));
    }
    EXPECT_THAT(scratchFiles, ElementsAre(1, 1, 1, 1, 1));
    EXPECT_EQ(ScratchFiles(directory.path()), 0) << "removed after the run";
    EXPECT_EQ(testing::ReadFile(directory.file("victim")), "keep");
    EXPECT_EQ(processes.calls.back().program, "tools/xstest.exe");
    EXPECT_EQ(port->opens, opens) << "the link is not touched";
    EXPECT_THAT(port->writes, IsEmpty());
}

TEST_F(Tools, TestIoAndFpgaConfigRunsTheLoaderBetweenDisconnectAndConnect) {
    monitor->OnTestIo();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Test successful."));
    auto& wizard = monitor->wizard();
    monitor->OnFpgaConfigEnded(false);
    wizard.fpga.path.clear();
    monitor->OnFpgaConfigEnded(true);
    EXPECT_THAT(processes.calls, IsEmpty());
    EXPECT_EQ(port->opens, 1) << "the link was not disconnected";

    wizard.fpga.path = "x.bit";
    monitor->OnFpgaConfigEnded(true);
    EXPECT_EQ(processes.calls.at(0).arguments.back(), "x.bit");
    EXPECT_EQ(port->opens, 2);
    EXPECT_TRUE(port->IsOpen());
    EXPECT_THAT(port->writes, IsEmpty()) << "no refresh follows";
}

} // namespace
} // namespace vorn::monitor
