#pragma once
// The ".lbl" label file, one item per line (CR LF on disk):
//
//   0x00000000      the CPU RAM field as shown (may be empty)
//   0x00000020      the LA RAM field as shown (may be empty)
//   3               the number of slave labels, decimal
//   PC              per label its name,
//   40              then its value in lower-case hexadecimal without prefix or leading zeros
//   ...             the same for the graphic labels, then for the memory labels
//
// Slave labels are written as offsets from SLAVEbase, graphic labels as bit numbers, memory
// labels as addresses. The reader takes the lines as they are and leaves every check to the
// labels page, which inserts them one by one.

#include "monitor/LabelMaps.h"

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace vorn::monitor {

struct LabelFileEntry {
    std::string name;
    std::string address; // as written: hexadecimal without prefix

    bool operator==(const LabelFileEntry&) const = default;
};

struct LabelFileContent {
    std::string cpuRamText;
    std::string laRamText;
    // By LabelKind: slave, graphic, memory.
    std::array<std::vector<LabelFileEntry>, 3> labels;
};

std::string LabelFileText(const std::string& cpuRamText, const std::string& laRamText,
                          const LabelMaps& labels, uint32_t slaveBase);

// Reads leniently (CR LF or LF). A count of 0 or less means no labels of that kind; reading
// ends with the file, so a file shorter than its counts gives the labels it holds.
LabelFileContent ReadLabelFile(std::istream& in);

} // namespace vorn::monitor
