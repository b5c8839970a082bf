#pragma once
// What the engine of a Hardware Monitor view needs from the window that shows it, beside the
// Prompter: showing the form before a long run has ended, the signal windows, the keyboard
// focus, and the road from continuous mode's worker thread back to the ui thread.

#include "monitor/Capture.h"

#include <functional>
#include <string>

namespace vorn::monitor {

using SignalWindowId = int;

// A waveform window to create (as a child of the main frame, shown and updated at once).
struct SignalWindowRequest {
    std::string title;
    bool hideOpenButton = false;
    bool hideSaveButton = false;

    bool operator==(const SignalWindowRequest&) const = default;
};

inline const SignalWindowRequest kActiveSignalsWindow{"ACTIVE Signals Window", true, false};
inline const SignalWindowRequest kReferenceSignalsWindow{"REFERENCE Signals Window", false, true};

class MonitorHost {
  public:
    virtual ~MonitorHost() = default;

    // The form changed in the middle of a command (a run's status text): show it now.
    virtual void FormChanged() = 0;

    virtual SignalWindowId CreateSignalWindow(const SignalWindowRequest& request) = 0;
    // False once the user has closed the window; a closed window is never touched again.
    virtual bool SignalWindowOpen(SignalWindowId window) = 0;
    virtual void DestroySignalWindow(SignalWindowId window) = 0;
    // The window shows the capture (GraphModel::SetSignals with its steps, samples and signals).
    virtual void SetSignals(SignalWindowId window, const Capture& capture) = 0;

    // The view takes the keyboard focus (after the FPGA loader has run).
    virtual void TakeFocus() = 0;

    // Runs the task on the ui thread, later. Called from continuous mode's worker thread; the
    // engine's task does nothing once its monitor is gone.
    virtual void PostToUi(std::function<void()> task) = 0;
};

} // namespace vorn::monitor
