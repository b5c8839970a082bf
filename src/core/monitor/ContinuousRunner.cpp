#include "monitor/ContinuousRunner.h"

namespace vorn::monitor {

ContinuousRunner::~ContinuousRunner() {
    Stop();
}

void ContinuousRunner::Start(std::function<bool()> pollHalt, std::function<void()> onHalt) {
    Stop();
    stop_ = false;
    worker_ = std::thread(
        [this, pollHalt = std::move(pollHalt), onHalt = std::move(onHalt)] { Work(pollHalt, onHalt); });
}

void ContinuousRunner::Stop() {
    if (!worker_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

// The poll runs outside the lock: a stop never waits for a board access to end before it is
// asked, only before it joins.
void ContinuousRunner::Work(const std::function<bool()>& pollHalt, const std::function<void()>& onHalt) {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        lock.unlock();
        if (pollHalt()) return onHalt();
        lock.lock();
        wake_.wait_for(lock, pause_, [this] { return stop_; });
    }
}

} // namespace vorn::monitor
