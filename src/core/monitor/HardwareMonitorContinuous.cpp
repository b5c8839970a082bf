// Continuous mode: the CPU runs free while the monitor stays usable; a worker thread watches
// for the halt. Every change of the form, every box and the refresh happen on the ui thread:
// the worker only hands the halt over.

#include "monitor/HardwareMonitor.h"

#include <algorithm>

namespace vorn::monitor {

using namespace control;

namespace {

// While the CPU runs free, the worker tells its halt by status bits 2 and 3 having both changed
// since the run's start. The link's lock keeps each transfer whole, but not the free run's
// protocol: a step toggles those very bits, a reset or a stop ends the run under the worker,
// another run starts one of its own, and a refresh, a load or an upload re-establishes the link
// under it. So while the mode runs, the commands that stay are those that leave the board alone,
// and the button that ends the run.
constexpr int kFreeRunCommands[] = {ContinuousMode, command::ReferenceWindow, command::LabelReport,
                                    command::DataSnapshot};

constexpr int kFormButtons[] = {Step, Reset, RefreshData, ContinuousMode, SignalWaveforms, Write, UpdateDump};

} // namespace

bool HardwareMonitor::CommandAllowed(int id) const {
    return !continuousModeRunning() || std::ranges::find(kFreeRunCommands, id) != std::end(kFreeRunCommands);
}

void HardwareMonitor::OnContinuousMode() {
    if (form_.Text(ContinuousMode) == kContinuousIdle)
        StartContinuousMode();
    else
        StopContinuousMode();
}

void HardwareMonitor::StartContinuousMode() {
    if (link_->RunStart() != board::NoError) return BoardErrorBox("Error in run:");
    form_.SetText(ContinuousMode, kContinuousRunning);
    const unsigned run = ++continuousRun_;
    const std::weak_ptr<HardwareMonitor*> self = self_;
    continuous_.Start([this] { return link_->PollHalt(); },
                      [this, self, run] {
                          host_.PostToUi([self, run] {
                              if (const auto monitor = self.lock()) (*monitor)->OnContinuousHalt(run);
                          });
                      });
    EnableFormButtons();
    // Enter stops the run.
    form_.defaultButton = ContinuousMode;
}

void HardwareMonitor::StopContinuousMode() {
    continuous_.Stop();
    if (link_->Stop() != board::NoError) BoardErrorBox("Error in stop:");
    form_.SetText(ContinuousMode, kContinuousIdle);
    EnableFormButtons();
    OnRefreshData();
}

// A halt that a stop has overtaken, or one of an earlier run, is past.
void HardwareMonitor::OnContinuousHalt(unsigned run) {
    if (run != continuousRun_ || !continuous_.Started()) return;
    continuous_.Stop();
    Message("HALT has been reached. \nStopping Continuous mode.");
    if (link_->Stop() != board::NoError) Message("Error in stop.");
    form_.SetText(ContinuousMode, kContinuousIdle);
    EnableFormButtons();
    OnRefreshData();
}

void HardwareMonitor::EnableFormButtons() {
    for (int id : kFormButtons)
        form_.Enable(id, CommandAllowed(id));
}

} // namespace vorn::monitor
