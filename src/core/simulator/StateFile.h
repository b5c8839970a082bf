#pragma once
// The state file (.sim): the picture of a simulator view as text, every line ending in CR LF.
// Nothing reads it back.
//
//   address<TAB><TAB>value<TAB><TAB>command
//     0x0<TAB><TAB>0x8c010021<TAB>lw R1 R0 0x0021     one line per Commands row whose address is
//   ->0x1<TAB><TAB>...                                 in 0..0x7FFFFFFF; the row after the PC marked
//   (empty), registers:, (empty)
//   R0:<TAB>0x0                                        32 lines, "R" whatever set is shown
//   (empty), memory:, (empty)
//   0x20<TAB><TAB>0x37                                 15 lines, a free slot giving two tabs

#include "Result.h"
#include "simulator/FormTexts.h"

#include <optional>
#include <string>

namespace vorn::simulator {

std::string StateFileText(const FormTexts& texts);

// Writes the file, replacing its contents; a fault to show when it cannot be written.
std::optional<Fault> WriteStateFile(const std::string& path, const FormTexts& texts);

} // namespace vorn::simulator
