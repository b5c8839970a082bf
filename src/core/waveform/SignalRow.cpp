#include "waveform/SignalRow.h"

#include "text/BitField.h"

namespace vorn::waveform {

void SignalRow::ComputeValues(int steps, const std::vector<RawSignal>& raw) {
    const int count = static_cast<int>(sources.size());
    for (int s = 0; s < std::min(steps, kMaxSteps); ++s) {
        value[s] = 0;
        for (int i = 0; i < count; ++i) {
            const int bit = reversed ? i : count - 1 - i;
            const auto sample = static_cast<uint32_t>(raw[sources[i]].value[s]);
            text::SetBitField(bit, bit, value[s], sample);
        }
    }
}

} // namespace vorn::waveform
