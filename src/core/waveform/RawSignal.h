#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vorn::waveform {

// A waveform has at most this many steps (columns).
inline constexpr int kMaxSteps = 32;

// One one-bit signal as it was captured or read from a file. Values are 0 or 1 when captured;
// a file can give other small numbers, of which the rows use only bit 0.
struct RawSignal {
    std::string name;
    std::array<int32_t, kMaxSteps> value{};
};

} // namespace vorn::waveform
