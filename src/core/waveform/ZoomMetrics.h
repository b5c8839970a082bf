#pragma once

namespace vorn::waveform {

inline constexpr int kMinZoomLevel = -2;
inline constexpr int kMaxZoomLevel = 3;
inline constexpr int kStartZoomLevel = 1;

// The drawing geometry of one zoom level, in pixels. The step width is also the top and the
// left margin of the view.
struct ZoomMetrics {
    int stepWidth = 0;
    int rowHeight = 0;
    int halfRow = 0;   // distance between the low and the high line of a trace
    int rulerFont = 0; // the base font height of every text
    int rulerDx = 0;   // ruler numbers stand this far left of their step line
    int rulerDy = 0;   // and this far above the rows (half of it below them)
    int tick = 0;      // half length of a ruler tick

    bool operator==(const ZoomMetrics&) const = default;
};

// level from kMinZoomLevel to kMaxZoomLevel.
ZoomMetrics MetricsOfZoomLevel(int level);

} // namespace vorn::waveform
