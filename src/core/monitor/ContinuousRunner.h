#pragma once
// Continuous mode's worker: a thread that polls for the CPU's halt with no pause until the
// ui thread asks it to stop or the halt is seen. A stop joins the worker, so a stop that
// crosses a halt never waits for ever. The worker reports a halt through a callback on its own
// thread (the monitor hands it on to the ui thread).

#include <atomic>
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

    // Starts a worker (a worker of an earlier run is stopped first). pollHalt is called back
    // to back; onHalt once, on the worker thread, when it gives true.
    void Start(std::function<bool()> pollHalt, std::function<void()> onHalt);
    // Asks the worker to stop and joins it; nothing without one.
    void Stop();
    // A worker was started and has not been stopped (it may have ended on a halt).
    bool Started() const { return worker_.joinable(); }

  private:
    void Work(const std::function<bool()>& pollHalt, const std::function<void()>& onHalt);

    std::atomic<bool> stop_{false};
    std::thread worker_;
};

} // namespace vorn::monitor
