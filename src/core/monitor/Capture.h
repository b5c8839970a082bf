#pragma once
// The logic-analyser capture that the signal windows show: one 32-bit sample word per step
// (sample i from board address LA RAM + i) and, taken at the same moment, one one-bit signal per
// graphic label (its name and the bit it takes from each sample). The count of samples lies in
// the low byte of the slave register labelled "STATUS".

#include "waveform/GraphModel.h"

#include <cstdint>
#include <vector>

namespace vorn::monitor {

struct Capture {
    int steps = 0;
    std::vector<uint32_t> samples;                  // exactly steps words
    std::vector<waveform::CapturedSignal> captured; // one per graphic label
};

// A logic analyser records at most this many samples.
inline constexpr uint32_t kMaxSamples = 31;

// The number of samples that a STATUS word announces (its low byte).
inline uint32_t SampleCountOf(uint32_t statusWord) {
    return statusWord & 0xFF;
}

} // namespace vorn::monitor
