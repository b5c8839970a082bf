#include "monitor/LabFlags.h"

namespace vorn::monitor {

std::optional<LabFlags> LabFlagsOf(int lab) {
    switch (lab) {
    case SimpleSlave:
        return LabFlags{true, false, false, true, false, true};
    case SelfMonitoring:
        return LabFlags{true, false, true, true, false, true};
    case ReadWrite:
        return LabFlags{true, true, true, true, false, true};
    case LoadStore:
        return LabFlags{true, true, true, true, true, true};
    default:
        return std::nullopt;
    }
}

} // namespace vorn::monitor
