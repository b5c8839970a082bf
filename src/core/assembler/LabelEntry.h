#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vorn::assembler {

// One label of a line checker's table.
struct LabelEntry {
    LabelEntry(std::string labelName, int32_t definingLine)
        : name(std::move(labelName)), value(definingLine) {}

    static LabelEntry InitFromName(std::string labelName) { return LabelEntry(std::move(labelName), 0); }

    std::string name;                // lower case, without the ':'
    int32_t definitionCount = 1;     // lines that currently define the name
    int32_t value = 0;               // the line of the first definition (set by the assembler)
    std::vector<int32_t> references; // lines whose operands name it (filled by the assembler)
};

} // namespace vorn::assembler
