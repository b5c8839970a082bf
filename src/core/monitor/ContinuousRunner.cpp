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
    stop_ = true;
    worker_.join();
}

void ContinuousRunner::Work(const std::function<bool()>& pollHalt, const std::function<void()>& onHalt) {
    while (!stop_) {
        if (pollHalt()) {
            onHalt();
            return;
        }
    }
}

} // namespace vorn::monitor
