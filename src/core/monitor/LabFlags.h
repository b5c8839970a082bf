#pragma once
// The lab choice decides which panels of the monitor, which kinds of labels and which wizard
// fields are offered.

#include <optional>

namespace vorn::monitor {

struct LabFlags {
    bool slaveLabels = false;   // the slave label panel
    bool memoryLabels = false;  // the memory labels and dump; memory labels and the .cod page
    bool graphicLabels = false; // "Signal &Waveforms"; graphic labels and the LA RAM field
    bool registers = false;     // the register panel; the CPU RAM field
    bool commands = false;      // the disassembly panel
    bool labChosen = false;     // set by a lab choice until the labels page has acted on it

    bool operator==(const LabFlags&) const = default;
};

// The labs of the "Lab Choice" page, in the order of its radio buttons.
enum Lab : int { SimpleSlave = 0, SelfMonitoring = 1, ReadWrite = 2, LoadStore = 3 };

// The flags of a lab; nothing for a value that names no lab.
std::optional<LabFlags> LabFlagsOf(int lab);

} // namespace vorn::monitor
