#pragma once
// What the configuration wizard decides for the whole monitor: the lab flags (written by the
// lab choice page) and the two start addresses with their set flags (written by the labels
// page). Nothing is set before the first lab choice.

#include "monitor/LabFlags.h"

#include <cstdint>

namespace vorn::monitor {

struct StartAddresses {
    uint32_t cpuRam = 0; // board address of CPU register 0 (SLAVEbase + offset)
    uint32_t laRam = 0;  // board address of the first logic-analyser sample
    bool cpuRamSet = false;
    bool laRamSet = false;
};

struct WizardState {
    LabFlags flags;
    StartAddresses addresses;
};

} // namespace vorn::monitor
