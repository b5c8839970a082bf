// The platform's own way to the running program's file.

#include "board/ExecutableFolder.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vorn::board {

std::filesystem::path ExecutableFolder() {
#ifdef _WIN32
    wchar_t name[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    return std::filesystem::path(name).parent_path();
#else
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
#endif
}

} // namespace vorn::board
