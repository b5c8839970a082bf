#pragma once
// Waveforms written the way a .wf file writes them: a name and one character per step.

#include "waveform/GraphModel.h"

namespace vorn::waveform::testing {

inline RawSignal Signal(const std::string& name, const std::string& steps) {
    RawSignal signal;
    signal.name = name;
    for (size_t s = 0; s < steps.size(); ++s)
        signal.value[s] = steps[s] - '0';
    return signal;
}

// One one-bit row per signal; every signal has as many steps as the first one.
inline GraphModel Waveform(const std::vector<std::pair<std::string, std::string>>& signals) {
    std::vector<RawSignal> raw;
    for (const auto& [name, steps] : signals)
        raw.push_back(Signal(name, steps));
    GraphModel model;
    model.Fill(signals.empty() ? 0 : static_cast<int>(signals.front().second.size()), std::move(raw));
    return model;
}

inline std::vector<std::string> RowNames(const GraphModel& model) {
    std::vector<std::string> names;
    for (const SignalRow& row : model.rows())
        names.push_back(row.name);
    return names;
}

} // namespace vorn::waveform::testing
