#pragma once
// The .lst listing: every source line (after "ds" expansion, pc lines left out) with the
// address and word it produced, then the label report and the commands.xml date as a comment.

#include "isa/MemoryRecord.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vorn::assembler {

// lineAddress[n] is the word address of line n (1-based), -1 for a line without a word; the
// records pair in order with the lines that have an address.
void WriteListing(std::ostream& out, const std::vector<std::string>& lines,
                  const std::vector<int32_t>& lineAddress, const std::vector<isa::MemoryRecord>& image,
                  const std::vector<std::string>& labelReport, const std::string& commandsXmlVersion);

} // namespace vorn::assembler
