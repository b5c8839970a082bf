#include "waveform/ZoomMetrics.h"

#include <array>
#include <cstddef>

namespace vorn::waveform {

ZoomMetrics MetricsOfZoomLevel(int level) {
    static constexpr std::array<ZoomMetrics, kMaxZoomLevel - kMinZoomLevel + 1> kLevels{{
        {26, 21, 11, 7, 1, 8, 1},
        {32, 26, 13, 9, 2, 10, 2},
        {40, 32, 16, 11, 2, 12, 2},
        {50, 40, 20, 12, 2, 15, 3},
        {62, 50, 25, 12, 2, 18, 3},
        {77, 62, 31, 13, 3, 22, 4},
    }};
    return kLevels.at(static_cast<std::size_t>(level - kMinZoomLevel));
}

} // namespace vorn::waveform
