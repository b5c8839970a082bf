#pragma once
// Opening a file that the user chose: its bytes are read whole through ReadWholeFile, so a
// folder, a device or a pipe is refused like a file that does not exist, and no reader blocks
// on it or reads without end.

#include "text/WholeFile.h"

#include <sstream>

namespace vorn::text {

inline bool OpenChosenFile(const std::filesystem::path& path, std::istringstream& in) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return false;
    in.str(std::move(*bytes));
    return true;
}

} // namespace vorn::text
