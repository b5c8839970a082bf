#pragma once
// The folder of the running program, from which files that ship with it are found.

#include <filesystem>

namespace vorn::board {

// Empty when the platform cannot tell.
std::filesystem::path ExecutableFolder();

} // namespace vorn::board
