#pragma once
// Opening a file that the user chose. Only a regular file opens: a folder, a device or a pipe
// is refused like a file that does not exist, so that no reader blocks on it or reads without
// end.

#include <filesystem>
#include <fstream>
#include <system_error>

namespace vorn::text {

inline bool OpenChosenFile(const std::filesystem::path& path, std::ifstream& in) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    in.open(path, std::ios::binary);
    return in.is_open();
}

} // namespace vorn::text
