#pragma once
// The time a long run asks for ("N seconds had passed"): whole seconds on a clock that only
// moves forward. Tests give their own clock, so that no test has to sleep.

#include <chrono>
#include <cstdint>

namespace vorn {

class Clock {
  public:
    virtual ~Clock() = default;
    // Whole seconds since a fixed point of this clock's own; only differences mean anything.
    virtual int64_t NowSeconds() = 0;
};

class SteadyClock final : public Clock {
  public:
    int64_t NowSeconds() override {
        const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::seconds>(sinceStart).count();
    }
};

} // namespace vorn
