// Continuous mode: the CPU runs free while the monitor stays usable; a worker thread watches
// for the halt. Every change of the form, every box and the refresh happen on the ui thread:
// the worker only hands the halt over.

#include "monitor/HardwareMonitor.h"

namespace vorn::monitor {

using namespace control;

namespace {

// The buttons that would drive the board while the CPU runs free.
constexpr int kRunButtons[] = {Step, Reset, RefreshData, Write, SignalWaveforms, UpdateDump};

} // namespace

void HardwareMonitor::OnContinuousMode() {
    if (form_.Text(ContinuousMode) == kContinuousIdle)
        StartContinuousMode();
    else
        StopContinuousMode();
}

void HardwareMonitor::StartContinuousMode() {
    if (link_->RunStart() != board::NoError) return BoardErrorBox("Error in run:");
    form_.SetText(ContinuousMode, kContinuousRunning);
    EnableRunButtons(false);
    const unsigned run = ++continuousRun_;
    const std::weak_ptr<HardwareMonitor*> self = self_;
    continuous_.Start([this] { return link_->PollHalt(); },
                      [this, self, run] {
                          host_.PostToUi([self, run] {
                              if (const auto monitor = self.lock()) (*monitor)->OnContinuousHalt(run);
                          });
                      });
    // Enter stops the run.
    form_.defaultButton = ContinuousMode;
}

void HardwareMonitor::StopContinuousMode() {
    continuous_.Stop();
    if (link_->Stop() != board::NoError) BoardErrorBox("Error in stop:");
    form_.SetText(ContinuousMode, kContinuousIdle);
    EnableRunButtons(true);
    OnRefreshData();
}

// A halt that a stop has overtaken, or one of an earlier run, is past.
void HardwareMonitor::OnContinuousHalt(unsigned run) {
    if (run != continuousRun_ || !continuous_.Started()) return;
    continuous_.Stop();
    Message("HALT has been reached. \nStopping Continuous mode.");
    if (link_->Stop() != board::NoError) Message("Error in stop.");
    form_.SetText(ContinuousMode, kContinuousIdle);
    EnableRunButtons(true);
    OnRefreshData();
}

void HardwareMonitor::EnableRunButtons(bool enabled) {
    for (int id : kRunButtons)
        form_.Enable(id, enabled);
}

} // namespace vorn::monitor
