#pragma once
// An event that stays set until it is reset: one thread sets it, another tests it without
// waiting or waits for it.

#include <condition_variable>
#include <mutex>

namespace vorn::monitor {

class ManualResetEvent {
  public:
    void Set();
    void Reset();
    bool IsSet() const;
    void Wait() const;

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_ = false;
};

} // namespace vorn::monitor
