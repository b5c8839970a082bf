#include "waveform/GraphModel.h"

#include <algorithm>

namespace vorn::waveform {

GraphModel::GraphModel() {
    LoadZoomLevel(kStartZoomLevel);
    UpdateScrollSizes();
}

void GraphModel::Fill(int steps, std::vector<RawSignal> raw) {
    steps_ = std::clamp(steps, 0, kMaxSteps);
    signals_ = std::move(raw);
    LoadZoomLevel(kStartZoomLevel);
    marker_ = -1;
    grid_ = true;
    rows_.clear();
    for (int j = 0; j < static_cast<int>(signals_.size()); ++j)
        rows_.push_back(RowOfSignal(j));
    UpdateScrollSizes();
}

void GraphModel::SetSignals(int steps, std::span<const uint32_t> samples,
                            std::span<const CapturedSignal> captured) {
    // A capture that was dropped comes with fewer samples than its step count claims; no
    // step without a sample is shown.
    const int taken = std::clamp(steps, 0, static_cast<int>(std::min<size_t>(samples.size(), kMaxSteps)));
    std::vector<RawSignal> raw(captured.size());
    for (size_t j = 0; j < captured.size(); ++j) {
        raw[j].name = captured[j].name;
        const uint32_t bit = captured[j].bitNumber % 32;
        for (int s = 0; s < taken; ++s)
            raw[j].value[s] = static_cast<int32_t>((samples[s] >> bit) & 1u);
    }
    Fill(taken, std::move(raw));
}

SignalRow GraphModel::RowOfSignal(int signal) const {
    SignalRow row;
    row.name = signals_[signal].name;
    row.sources = {signal};
    row.ComputeValues(steps_, signals_);
    return row;
}

void GraphModel::OnInitialUpdate() {
    UpdateScrollSizes(static_cast<int>(signals_.size()));
}

bool GraphModel::ZoomOut() {
    if (zoomLevel_ <= kMinZoomLevel) return false;
    LoadZoomLevel(zoomLevel_ - 1);
    marker_ = -1;
    UpdateScrollSizes();
    return true;
}

bool GraphModel::ZoomIn() {
    if (zoomLevel_ >= kMaxZoomLevel) return false;
    LoadZoomLevel(zoomLevel_ + 1);
    marker_ = -1;
    UpdateScrollSizes();
    return true;
}

void GraphModel::LoadZoomLevel(int level) {
    zoomLevel_ = level;
    metrics_ = MetricsOfZoomLevel(level);
}

void GraphModel::UpdateScrollSizes(int rowCount) {
    const int cx = (steps_ + 4) * metrics_.stepWidth + 2 * left();
    const int cy = rowCount * metrics_.rowHeight + 2 * top();
    scrollSizes_ = {{cx, cy}, {cx / 3, cy / 3}, {100, 50}};
}

} // namespace vorn::waveform
