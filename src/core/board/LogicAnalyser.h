#pragma once
// The logic analyser built into a design: one sample word of the design's signals per step,
// the latest 31 kept (sample 0 the oldest), emptied when the reset line is asserted.

#include <cstdint>
#include <deque>

namespace vorn::board {

class LogicAnalyser {
  public:
    static constexpr uint32_t Capacity = 31;

    void Record(uint32_t sample) {
        if (samples_.size() == Capacity) samples_.pop_front();
        samples_.push_back(sample);
    }
    void Clear() { samples_.clear(); }
    uint32_t Count() const { return static_cast<uint32_t>(samples_.size()); }
    // 0 for a sample not taken.
    uint32_t Sample(uint32_t index) const { return index < samples_.size() ? samples_[index] : 0; }

  private:
    std::deque<uint32_t> samples_;
};

} // namespace vorn::board
