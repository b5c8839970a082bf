#pragma once

#include "waveform/RawSignal.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vorn::waveform {

// A bus value at one step is a 32-bit word.
inline constexpr int kMaxBusWidth = 32;

// One row of the display: a single signal, or a bus of several. A row refers to its signals
// by their index in the view's raw signal array and owns none of them.
struct SignalRow {
    std::string name;
    std::vector<int> sources; // source 0 is the bus's most significant bit unless reversed
    std::array<uint32_t, kMaxSteps> value{};
    bool reversed = false;
    bool selected = false;

    int width() const { return std::max(1, static_cast<int>(sources.size())); }
    bool isBus() const { return width() > 1; }

    // Rebuilds the values of steps 0 to steps - 1 from bit 0 of each source.
    void ComputeValues(int steps, const std::vector<RawSignal>& raw);
};

} // namespace vorn::waveform
