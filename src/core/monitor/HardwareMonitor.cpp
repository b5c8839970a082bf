// Construction, start-up and what follows the wizard's sheets.

#include "monitor/HardwareMonitor.h"

#include "monitor/MonitorTexts.h"

namespace vorn::monitor {

using namespace control;

HardwareMonitor::HardwareMonitor(MonitorEnvironment environment, std::unique_ptr<board::BoardLink> link,
                                 MonitorPorts ports)
    : environment_(std::move(environment)), settings_(environment_.settings), prompter_(ports.prompter),
      ownerlessPrompter_(ports.ownerless ? *ports.ownerless : ports.prompter), clock_(ports.clock),
      processes_(ports.processes), host_(ports.host), link_(std::move(link)),
      wizard_(environment_.settings, ports.prompter, environment_.caption) {
    form_.SetText(Reset, kResetReleased);
    form_.SetText(ContinuousMode, kContinuousIdle);
    form_.SetText(Status, {});
}

HardwareMonitor::~HardwareMonitor() {
    // A view closed while continuous mode runs must not leave its worker on a dead link.
    continuous_.Stop();
    link_->Disconnect();
}

void HardwareMonitor::OnInitialUpdate() {
    form_.SetText(DumpEdit, WordText(0));
    dumpStart_ = 0;
    recreateWindow_ = true;
}

void HardwareMonitor::OnWizardEnded(bool finished) {
    if (!finished) {
        form_.Show(SlaveList, false);
        form_.SetText(SlaveCaption, "Wizard cancelled. Please start it again.");
        form_.Show(SignalWaveforms, false);
        ShowRunControls(false);
        form_.ShowMemoryControls(false);
        form_.ShowRegisterControls(false);
        form_.ShowCommandControls(false);
        // The labels go back, and their start addresses with them, set flags and all: a rerun
        // offers what the monitor shows. The lab flags keep what the cancelled wizard made of them.
        wizard_.labels.model() = labels_;
        wizard_.state.addresses = addresses_;
        Message("Wizard was not completed.\nPlease rerun wizard.");
        return;
    }
    const WizardState& state = wizard_.state;
    form_.SetText(SlaveCaption, "Slave Labels");
    form_.Show(SlaveCaption, true);
    form_.Show(SlaveList, true);
    form_.SetText(RegisterGroup,
                  state.addresses.cpuRamSet ? "Registers" : "Registers - CPU RAM ADDRESS NOT SET");
    form_.Show(SignalWaveforms, state.flags.graphicLabels);
    ShowRunControls(true);
    form_.ShowMemoryControls(state.flags.memoryLabels);
    form_.ShowRegisterControls(state.flags.registers);
    form_.ShowCommandControls(state.flags.commands);
    form_.slaveList = {};
    form_.memoryList = {};
    TakeWizardLabels();
    if (!wizard_.fpga.path.empty()) {
        link_->Disconnect();
        RunConfigurationTool(wizard_.fpga.path);
        link_->Connect();
    }
    if (const std::string image = wizard_.ImagePath(); !image.empty()) {
        link_->Connect();
        UploadCodFile(image);
    }
    OnRefreshData();
}

void HardwareMonitor::OnLabelsConfigEnded(bool finished) {
    if (finished)
        TakeWizardLabels();
    else
        wizard_.labels.model() = labels_;
    RefreshFourPanels();
}

void HardwareMonitor::OnFpgaConfigEnded(bool finished) {
    if (!finished || wizard_.fpga.path.empty()) return;
    link_->Disconnect();
    RunConfigurationTool(wizard_.fpga.path);
    link_->Connect();
}

void HardwareMonitor::OnMemoryConfigEnded(bool finished) {
    const std::string image = wizard_.ImagePath();
    if (finished && image.empty()) {
        Message(".COD filename was empty.\nDid not upload.");
    } else if (finished) {
        link_->Connect();
        UploadCodFile(image);
    }
    OnRefreshData();
}

// The controls that a finished wizard shows and a cancelled one hides, beside the panels.
void HardwareMonitor::ShowRunControls(bool visible) {
    for (int id : {Step, Reset, ContinuousMode, RefreshData, WriteEdit, Write, WriteCaption, PcArrow})
        form_.Show(id, visible);
}

void HardwareMonitor::TakeWizardLabels() {
    labels_ = wizard_.labels.model();
    addresses_ = wizard_.state.addresses;
}

// Labels Config shows the labels at once, whatever the lab flags say and without restarting
// the link.
void HardwareMonitor::RefreshFourPanels() {
    UpdateSlaveLabels();
    UpdateRegisters();
    UpdateMemoryLabels();
    UpdateCommands();
}

void HardwareMonitor::SetStatus(const std::string& text) {
    form_.SetText(Status, text);
    host_.FormChanged();
}

void HardwareMonitor::Message(const std::string& text) {
    prompter_.message(text, environment_.caption);
}

void HardwareMonitor::BoardErrorBox(const char* heading) {
    Message(Format("%s\n%s", heading, link_->ErrorText().c_str()));
}

} // namespace vorn::monitor
