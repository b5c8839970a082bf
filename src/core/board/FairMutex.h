#pragma once
// A mutex that serves its waiters in arrival order. Continuous mode's worker polls the board
// link back to back; with a plain mutex it would win the lock again and again and starve the
// ui thread's transfers.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace vorn::board {

class FairMutex {
  public:
    void lock() {
        std::unique_lock guard(mutex_);
        const uint64_t ticket = next_++;
        turn_.wait(guard, [&] { return serving_ == ticket; });
    }
    void unlock() {
        {
            std::lock_guard guard(mutex_);
            ++serving_;
        }
        turn_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable turn_;
    uint64_t next_ = 0;
    uint64_t serving_ = 0;
};

} // namespace vorn::board
