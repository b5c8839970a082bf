#pragma once
// What the Compiler view lists after a compile, and the source line that an entry names.

#include "assembler/Compiler.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorn::assembler {

// "Compilation failed. Errors:" and every error, or the success line naming the source and
// then the label report.
std::vector<std::string> CompileOutput(const Compiler& compiler, const std::string& sourcePath);

// The line n of an entry "ERROR ON LINE: n. ..." (the first number when the entry names several);
// nothing for any other entry.
std::optional<int32_t> ErrorLineNumber(const std::string& entry);

} // namespace vorn::assembler
