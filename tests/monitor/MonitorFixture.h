#pragma once
// A Hardware Monitor engine on the emulated board (the load/store design with the lab's
// instruction set) behind the emulator's port, which records what the link writes and can fail
// chosen accesses, with scripted boxes, a clock that moves only when asked, scripted tool runs and a
// window host that records signal windows and holds posted tasks until the test runs them.

#include "DlxWords.h"
#include "EmulatorPort.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "board/BoardDesign.h"
#include "board/BoardLink.h"
#include "isa/Settings.h"
#include "monitor/HardwareMonitor.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace vorn::testing {

// Gives the scripted times first, then moves by stepPerCall at every call.
class FakeClock : public Clock {
  public:
    std::deque<int64_t> times;
    int64_t now = 1000, stepPerCall = 0;
    int calls = 0;
    std::function<void()> onCall;

    int64_t NowSeconds() override {
        ++calls;
        if (onCall) onCall();
        if (times.empty()) return (now += stepPerCall) - stepPerCall;
        now = times.front();
        times.pop_front();
        return now;
    }
};

class FakeProcessRunner : public ProcessRunner {
  public:
    struct Call {
        std::string program;
        std::vector<std::string> arguments;
        int waitMs;
    };
    std::vector<Call> calls;
    ProcessOutcome outcome;
    std::function<void()> whileRunning;

    ProcessOutcome Run(const std::string& program, const std::vector<std::string>& arguments,
                       int waitMs) override {
        calls.push_back({program, arguments, waitMs});
        if (whileRunning) whileRunning();
        return outcome;
    }
};

class FakeHost : public monitor::MonitorHost {
  public:
    struct Window {
        monitor::SignalWindowRequest request;
        bool open = true;
        std::vector<monitor::Capture> fills;
    };
    std::vector<Window> windows;
    std::vector<std::string> events; // "focus", "destroy <id>", the status text at each FormChanged
    std::function<std::string()> formStatus;

    void FormChanged() override { events.push_back("form " + (formStatus ? formStatus() : "")); }
    monitor::SignalWindowId CreateSignalWindow(const monitor::SignalWindowRequest& request) override {
        windows.push_back({request});
        return static_cast<int>(windows.size()) - 1;
    }
    bool SignalWindowOpen(monitor::SignalWindowId window) override { return windows.at(window).open; }
    void DestroySignalWindow(monitor::SignalWindowId window) override {
        windows.at(window).open = false;
        events.push_back("destroy " + std::to_string(window));
    }
    void SetSignals(monitor::SignalWindowId window, const monitor::Capture& capture) override {
        ASSERT_TRUE(windows.at(window).open) << "a closed window was touched";
        windows.at(window).fills.push_back(capture);
    }
    void TakeFocus() override { events.push_back("focus"); }

    void PostToUi(std::function<void()> task) override {
        std::lock_guard lock(mutex_);
        posted_.push_back(std::move(task));
        changed_.notify_all();
    }
    // Waits (a bounded time) for a posted task; false when none came.
    bool WaitForPosted() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [this] { return !posted_.empty(); });
    }
    // Runs the posted tasks on the calling (ui) thread; gives their number.
    int RunPosted() {
        std::deque<std::function<void()>> tasks;
        {
            std::lock_guard lock(mutex_);
            tasks.swap(posted_);
        }
        for (auto& task : tasks)
            task();
        return static_cast<int>(tasks.size());
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> posted_;
};

class MonitorTest : public ::testing::Test {
  protected:
    static constexpr uint32_t LaRam = 0x8020, PcRegister = 0x8040, StatusRegister = 0x8041,
                              CommandRegister = 0x8042;

    MonitorTest() {
        auto lab = isa::LoadSettings(VORN_SOURCE_DIR "/lab/settings.xml");
        EXPECT_TRUE(lab.ok());
        settings = *lab;
        settings.hardwareWaitCycles = 5;
        board.Configure(board::LoadStoreDesign(), LabInstructionSet());
        host.formStatus = [this] { return monitor ? monitor->form().Text(monitor::control::Status) : ""; };
    }

    // On the emulated board behind an EmulatorPort unless the test brings a port of its own.
    void MakeMonitor(std::unique_ptr<board::HostPort> hostPort = nullptr) {
        if (!hostPort) {
            hostPort = std::make_unique<EmulatorPort>(board);
            port = static_cast<EmulatorPort*>(hostPort.get());
        }
        monitor = std::make_unique<monitor::HardwareMonitor>(
            monitor::MonitorEnvironment{settings, instructionSet, "VORN", directory.path()},
            std::make_unique<board::BoardLink>(settings, std::move(hostPort), trace),
            monitor::MonitorPorts{prompter, clock, processes, host, &ownerlessPrompter});
        monitor->OnInitialUpdate();
    }
    // On a ScriptedHostPort that answers with these samples, connected.
    void MakeScriptedMonitor(std::deque<uint64_t> samples) {
        auto scripted = std::make_unique<ScriptedHostPort>();
        scripted->samples = std::move(samples);
        MakeMonitor(std::move(scripted));
        monitor->link().Connect();
    }

    // The full wizard as a user finishes it: the lab, then the lab's label file (which sets the
    // start fields), then Finish (the .bit and .cod paths as they stand). Forgets the boxes.
    void ChooseLab(int lab, const std::string& labelFile) {
        if (!monitor) MakeMonitor();
        auto& wizard = monitor->wizard();
        wizard.OnShow();
        ASSERT_FALSE(wizard.OnLabChoiceNext(lab));
        wizard.labels.OnSetActive();
        // The labels of an earlier lab stay until the load replaces them.
        if (!wizard.labels.model().Empty()) prompter.yesNoAnswers.push_back(true);
        prompter.fileAnswers.push_back(VORN_SOURCE_DIR "/lab/" + labelFile);
        wizard.labels.OnLoadLabels();
        wizard.labels.CheckStartAddresses();
        monitor->OnWizardEnded(true);
        prompter.boxes.clear();
    }
    void LoadStoreLab() { ChooseLab(monitor::LoadStore, "loadstore.lbl"); }
    std::vector<std::string> TakeBoxes() { return prompter.takeBoxTexts(); }

    // Board access without the monitor, straight through the emulator.
    uint32_t BoardWord(uint32_t address) {
        uint32_t word = 0xDEADBEEF;
        EXPECT_EQ(DirectLink()->ReadWord(address, word), board::NoError);
        return word;
    }
    void WriteProgram(const std::vector<uint32_t>& words, uint32_t at = 0) {
        for (uint32_t i = 0; i < words.size(); ++i)
            EXPECT_EQ(DirectLink()->WriteWord(at + i, words[i]), board::NoError);
    }
    const monitor::MonitorForm& form() const { return monitor->form(); }

    TempDir directory;
    board::TraceLog trace{directory.file("in.log")};
    isa::Settings settings;
    board::BoardEmulator board;
    DlxWords dlx;
    isa::InstructionSet instructionSet = LabInstructionSet();
    ScriptedPrompter prompter, ownerlessPrompter;
    FakeClock clock;
    FakeProcessRunner processes;
    FakeHost host;
    EmulatorPort* port = nullptr;
    std::unique_ptr<monitor::HardwareMonitor> monitor;

  private:
    std::unique_ptr<board::BoardLink> DirectLink() {
        auto direct =
            std::make_unique<board::BoardLink>(settings, std::make_unique<EmulatorPort>(board), trace);
        direct->Connect();
        return direct;
    }
};

} // namespace vorn::testing
