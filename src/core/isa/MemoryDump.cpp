#include "isa/MemoryDump.h"

#include "isa/MachineState.h"
#include "text/TextFile.h"
#include "text/WholeFile.h"

#include <cstdio>

namespace vorn::isa {

using text::kLineEnd;

namespace {

// Counts in 64 bits, so a range that ends at the largest address ends.
template <class Visit> void ForEachAddress(MachineState& machine, int32_t first, int32_t last, Visit visit) {
    for (int64_t address = first; address <= last; ++address) {
        const auto word = static_cast<int32_t>(address);
        visit(DumpLine(word, machine.ReadMemory(word)));
    }
}

} // namespace

std::string DumpLine(int32_t address, int32_t value) {
    char line[32];
    std::snprintf(line, sizeof line, "0x%x  0x%x", static_cast<unsigned>(address),
                  static_cast<unsigned>(value));
    return line;
}

std::vector<std::string> DumpLines(MachineState& machine, int32_t first, int32_t last) {
    std::vector<std::string> lines;
    ForEachAddress(machine, first, last, [&](std::string line) { lines.push_back(std::move(line)); });
    return lines;
}

std::string DumpFileText(MachineState& machine, int32_t first, int32_t last) {
    std::string text = std::string("Dump") + kLineEnd;
    ForEachAddress(machine, first, last, [&](const std::string& line) { text += line + kLineEnd; });
    return text;
}

std::optional<Fault> WriteDumpFile(const std::string& path, MachineState& machine, int32_t first,
                                   int32_t last) {
    if (!text::WriteWholeFile(path, DumpFileText(machine, first, last)))
        return Fault{"Cannot write the dump file\n" + path, "", 0};
    return std::nullopt;
}

} // namespace vorn::isa
