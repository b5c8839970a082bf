// The logic-analyser capture and the signal windows that show it.

#include "monitor/HardwareMonitor.h"

namespace vorn::monitor {

// Taken at the end of the slave panel. A capture that cannot be taken (no "STATUS" label, a
// count above 31) is dropped: no step and no sample.
void HardwareMonitor::TakeCapture() {
    Capture capture;
    for (const Label& label : labels_.Of(LabelKind::Graphic))
        capture.captured.push_back({label.name, label.value});
    if (const auto count = StatusSampleCount(); count && *count <= kMaxSamples) {
        capture.steps = static_cast<int>(*count);
        for (uint32_t i = 0; i < *count; ++i)
            capture.samples.push_back(ReadBoardWord(addresses_.laRam + i));
    }
    capture_ = std::move(capture);
}

// The sample count in STATUS, read without the read question; nothing without a "STATUS"
// label. A failed read counts as the failed-read word, whose count is illegal.
std::optional<uint32_t> HardwareMonitor::StatusSampleCount() {
    const auto status = labels_.Find(LabelKind::Slave, kStatusLabel);
    if (!status) return std::nullopt;
    uint32_t word = kFailedRead;
    link_->ReadWord(*status, word);
    return SampleCountOf(word);
}

void HardwareMonitor::OnSignalWaveforms() {
    if (!addresses_.laRamSet) return Message("LA RAM address not set.");
    if (!labels_.Find(LabelKind::Slave, kStatusLabel)) return Message("No STATUS label defined.");
    // This fresh read only decides whether a window is served; it shows the last capture.
    if (*StatusSampleCount() > kMaxSamples) return Message("STATUS value is illegal.");
    const bool open = activeWindow_ && host_.SignalWindowOpen(*activeWindow_);
    if (recreateWindow_) {
        if (open) host_.DestroySignalWindow(*activeWindow_);
        activeWindow_ = host_.CreateSignalWindow(kActiveSignalsWindow);
        host_.SetSignals(*activeWindow_, capture_);
    } else if (open) {
        host_.SetSignals(*activeWindow_, capture_);
    }
}

void HardwareMonitor::OnOpenReferenceWindow() {
    host_.CreateSignalWindow(kReferenceSignalsWindow);
}

} // namespace vorn::monitor
