#pragma once
// Continuous mode's worker: a thread that polls for the CPU's halt with no pause until the
// ui thread asks it to stop (the stop event) or the halt is seen. It sets the done event on
// both ways out, so that a stop that crosses a halt never waits for ever, and reports a halt
// through a callback on its own thread (the monitor hands it on to the ui thread).

#include "monitor/ManualResetEvent.h"

#include <functional>
#include <thread>

namespace vorn::monitor {

class ContinuousRunner {
  public:
    ContinuousRunner() = default;
    ContinuousRunner(const ContinuousRunner&) = delete;
    ContinuousRunner& operator=(const ContinuousRunner&) = delete;
    // Stops a worker that still runs.
    ~ContinuousRunner();

    // Starts a worker with fresh events (a worker of an earlier run is stopped first).
    // pollHalt is called back to back; onHalt once, on the worker thread, when it gives true.
    void Start(std::function<bool()> pollHalt, std::function<void()> onHalt);
    // Sets the stop event, waits for the done event and joins the worker; nothing without one.
    void Stop();
    // A worker was started and has not been stopped (it may have ended on a halt).
    bool Started() const { return worker_.joinable(); }

  private:
    void Work(const std::function<bool()>& pollHalt, const std::function<void()>& onHalt);

    ManualResetEvent stop_;
    ManualResetEvent done_;
    std::thread worker_;
};

} // namespace vorn::monitor
