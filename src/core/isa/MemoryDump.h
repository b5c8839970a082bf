#pragma once
// The memory dump of a range of data memory: one "0x%x  0x%x" line (address, value) per
// address from first to last inclusive, in address order, and the dump file, "Dump" followed
// by the same lines, every line ending in CR LF. Reading an address that memory lacks creates
// it with 0, so after a dump every address of its range is present.

#include "Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorn::isa {

class MachineState;

// "0x10  0x0": lower-case hex without leading zeros, negative numbers as 32-bit patterns.
std::string DumpLine(int32_t address, int32_t value);

// The lines of the range; empty when last lies below first.
std::vector<std::string> DumpLines(MachineState& machine, int32_t first, int32_t last);

// The bytes of the dump file of the range.
std::string DumpFileText(MachineState& machine, int32_t first, int32_t last);

// Writes the dump file, replacing the file's contents. A fault (to be shown as a box) when
// the file cannot be created or written.
std::optional<Fault> WriteDumpFile(const std::string& path, MachineState& machine, int32_t first,
                                   int32_t last);

} // namespace vorn::isa
