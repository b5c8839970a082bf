#pragma once
// Continuous mode's worker: a thread that polls for the CPU's halt until the ui thread asks it
// to stop or the halt is seen. Between polls it waits a short pause, so that it does not keep
// a core busy, and a stop wakes it at once. A stop joins the worker, so a stop that crosses a
// halt never waits for ever. The worker reports a halt through a callback on its own thread
// (the monitor hands it on to the ui thread).

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace vorn::monitor {

class ContinuousRunner {
  public:
    // Short enough that a halt is seen within a few milliseconds.
    static constexpr std::chrono::microseconds kDefaultPause{500};

    explicit ContinuousRunner(std::chrono::microseconds pause = kDefaultPause) : pause_(pause) {}
    ContinuousRunner(const ContinuousRunner&) = delete;
    ContinuousRunner& operator=(const ContinuousRunner&) = delete;
    // Stops a worker that still runs.
    ~ContinuousRunner();

    // Starts a worker (a worker of an earlier run is stopped first). pollHalt is called once
    // per pause; onHalt once, on the worker thread, when it gives true.
    void Start(std::function<bool()> pollHalt, std::function<void()> onHalt);
    // Asks the worker to stop and joins it; nothing without one.
    void Stop();
    // A worker was started and has not been stopped (it may have ended on a halt).
    bool Started() const { return worker_.joinable(); }

  private:
    void Work(const std::function<bool()>& pollHalt, const std::function<void()>& onHalt);

    const std::chrono::microseconds pause_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread worker_;
};

} // namespace vorn::monitor
