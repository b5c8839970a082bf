#pragma once
// The engine of one Hardware Monitor view (CvornctrlView): everything the view decides without
// a screen. It owns the view's board link, its configuration wizard, its copy of the label
// model and start addresses, and the state of its form (MonitorForm); every handler below is
// one command of the view's menu or form. Every board operation ends with the panel refresh
// OnRefreshData unless an early check refuses it. Boxes go through the Prompter, captioned
// with the application's title unless another caption is named.
//
// The ui shows form() after every call (and at MonitorHost::FormChanged within a long run), and
// the wizard's pages from wizard().
//
// Threads: every call is made on the ui thread. Continuous mode polls the link from a worker
// thread of its own and hands the halt back through MonitorHost::PostToUi; all of its boxes,
// form changes and the refresh happen on the ui thread.

#include "Clock.h"
#include "ProcessRunner.h"
#include "Prompter.h"
#include "board/BoardLink.h"
#include "isa/InstructionSet.h"
#include "isa/Settings.h"
#include "monitor/Capture.h"
#include "monitor/ConfigurationWizard.h"
#include "monitor/ContinuousRunner.h"
#include "monitor/LabelMaps.h"
#include "monitor/MonitorCommands.h"
#include "monitor/MonitorForm.h"
#include "monitor/MonitorHost.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vorn::monitor {

struct MonitorEnvironment {
    const isa::Settings& settings;
    const isa::InstructionSet& instructionSet;
    // The application's title: the caption of the boxes that name none.
    std::string caption = "VORN";
    // Where "Test &FPGA" makes its scratch file for the test tool's run.
    std::filesystem::path scratchFolder = std::filesystem::temp_directory_path();
};

// The ports of the engine; all of them outlive it.
struct MonitorPorts {
    Prompter& prompter;
    Clock& clock;
    ProcessRunner& processes;
    MonitorHost& host;
    // For the boxes that no window owns (the disassembly's "default case" box); the prompter
    // when none is given.
    Prompter* ownerless = nullptr;
};

// The form's fixed captions of the two modes that live in button captions.
inline constexpr const char* kResetReleased = "&Reset=1";
inline constexpr const char* kResetHeld = "&Reset=0";
inline constexpr const char* kContinuousIdle = "C&ontinuous Mode";
inline constexpr const char* kContinuousRunning = "St&op";
// What a failed or suppressed read shows.
inline constexpr uint32_t kFailedRead = 0xEEEEEEEE;
// The board test's files, in the settings' directory.
inline constexpr const char* kBoardTestConfiguration = "DLX.bit";
inline constexpr const char* kBoardTestProgram = "dlxtest.cod";

class HardwareMonitor {
  public:
    HardwareMonitor(MonitorEnvironment environment, std::unique_ptr<board::BoardLink> link,
                    MonitorPorts ports);
    HardwareMonitor(const HardwareMonitor&) = delete;
    HardwareMonitor& operator=(const HardwareMonitor&) = delete;
    // Stops continuous mode's worker, then disconnects the link. Signal windows are not touched.
    ~HardwareMonitor();

    // What the ui shows
    const MonitorForm& form() const { return form_; }
    ConfigurationWizard& wizard() { return wizard_; }
    const LabelMaps& labels() const { return labels_; }
    const Capture& capture() const { return capture_; }
    board::BoardLink& link() { return *link_; }
    uint32_t dumpStart() const { return dumpStart_; }
    uint32_t cpuRamAddress() const { return addresses_.cpuRam; }
    uint32_t laRamAddress() const { return addresses_.laRam; }
    bool continuousModeRunning() const { return continuous_.Started(); }
    // Whether a command may run now: a button of the form by its control id (control::...), a
    // command of the menu by its command id (command::...). The ui asks it for its menus and
    // accelerators; the form's buttons are enabled by it. While continuous mode runs, only the
    // commands that leave the board alone stay, and the button that ends the run.
    bool CommandAllowed(int id) const;

    // Start-up: the dump field and the signal button's new-window mode. The ui then runs the
    // full wizard (RunWizard) and maximises the frame.
    void OnInitialUpdate();

    // The wizard commands. The ui calls wizard().OnShow(), shows the sheet (in full, or reduced
    // to the one page), then reports how it ended.
    void OnWizardEnded(bool finished);       // "Configuration Wizard" (RunWizard), all four pages
    void OnLabelsConfigEnded(bool finished); // "Labels Config", the labels page alone
    void OnFpgaConfigEnded(bool finished);   // "FPGA config", the FPGA page alone
    void OnMemoryConfigEnded(bool finished); // "Memory Config", the memory page alone

    // Panels ("Refresh &Data" and the end of nearly every command): re-establishes the link and
    // refreshes the panels that the lab flags enable, and the active signal window.
    void OnRefreshData();
    // A guarded board read: kFailedRead when it fails (after the "Read Error" question) or
    // while reads are suppressed.
    uint32_t ReadBoardWord(uint32_t address);
    // A guarded board write: nothing while writes are suppressed.
    void WriteBoardWord(uint32_t address, uint32_t word);
    void UpdateSlaveLabels();
    void UpdateMemoryLabels();
    void UpdateRegisters();
    void UpdateCommands();

    // Form commands; the texts are those of the edit fields at the time.
    void OnUpdateDump(const std::string& dumpFieldText); // "Update Dump"
    void OnWriteLabel(const std::string& valueText);     // "Write"
    void OnSlaveListSelChange(int line);
    void OnMemoryListSelChange(int line);
    void OnWriteEditFocus(); // "Write" becomes the default button
    void OnDumpEditFocus();  // "Update Dump" becomes the default button
    void OnTestIo();         // "Test &IO"

    // Run control ("&Step" button and menu, "&Reset=1"/"&Reset=0", the Run menu).
    void OnStep();
    void OnResetToggle();
    void OnRunSteps();
    void OnRunUntilPc();
    void OnRunUntilReg();
    void OnRunUntilMem();
    void OnRunUntilHalt();

    // "C&ontinuous Mode" / "St&op".
    void OnContinuousMode();

    // Signal windows ("Signal &Waveforms", "Open &active signals window", "Open &reference
    // signals window").
    void OnSignalWaveforms();
    void OnOpenActiveWindow() { OnSignalWaveforms(); }
    void OnOpenReferenceWindow();

    // The board maker's tools. RunConfigurationTool runs the loader on a .bit file: false only
    // when its exit code cannot be read. Callers disconnect the link before and connect after.
    bool RunConfigurationTool(const std::string& bitFile);
    void OnTestFpga(); // "Test &FPGA"

    // Files. UploadCodFile writes a .cod image to the board word by word: false when the file
    // cannot be opened.
    bool UploadCodFile(const std::string& path);
    void OnSaveLabelReport();
    void OnSaveDataSnapshot();

    // "Test &Board".
    void OnTestBoard();

  private:
    void ShowRunControls(bool visible);
    void TakeWizardLabels();
    void RefreshFourPanels();
    void SetDisassemblyRow(size_t row, uint32_t address, std::optional<uint32_t> word);
    std::string DisassemblyText(uint32_t word, uint32_t address);
    void TakeCapture();
    std::optional<uint32_t> StatusSampleCount();
    void RunUntilWord(uint32_t address, uint32_t target);
    std::optional<uint32_t> TryRead(uint32_t address);
    void StartContinuousMode();
    void StopContinuousMode();
    void OnContinuousHalt(unsigned run);
    void EnableFormButtons();
    void SetStatus(const std::string& text);
    void Message(const std::string& text);
    void BoardErrorBox(const char* heading);
    void WriteReport(const std::string& path, const std::string& text);

    MonitorEnvironment environment_;
    const isa::Settings& settings_;
    Prompter& prompter_;
    Prompter& ownerlessPrompter_;
    Clock& clock_;
    ProcessRunner& processes_;
    MonitorHost& host_;
    std::unique_ptr<board::BoardLink> link_;
    ConfigurationWizard wizard_;
    MonitorForm form_;
    LabelMaps labels_;
    // The start addresses with their set flags, as the last finished wizard left them.
    StartAddresses addresses_;
    uint32_t dumpStart_ = 0;
    bool readSuppressed_ = false;
    bool writeSuppressed_ = false;
    Capture capture_;
    std::optional<SignalWindowId> activeWindow_;
    // Outside a refresh the signal button makes a new window; the refresh refills the open one.
    bool recreateWindow_ = false;
    ContinuousRunner continuous_;
    // Tells a halt of an earlier run from one of the present run.
    unsigned continuousRun_ = 0;
    // Posted tasks hold a weak reference: they do nothing once the monitor is gone.
    std::shared_ptr<HardwareMonitor*> self_ = std::make_shared<HardwareMonitor*>(this);
};

} // namespace vorn::monitor
