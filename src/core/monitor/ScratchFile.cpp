// The platform's own calls for a file created exclusively under an unguessable name.

#include "monitor/ScratchFile.h"

#include <system_error>

#ifdef _WIN32
#include <cstdint>
#include <cstdio>
#include <random>
#else
#include <cstdlib>
#include <unistd.h>
#endif

namespace vorn::monitor {

namespace {

#ifdef _WIN32
// "x" fails when the name exists in any form; the name's 64 random bits make a clash unlikely,
// and a clash is tried again under a new name.
std::filesystem::path CreateExclusive(const std::filesystem::path& folder, const std::string& content) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const auto name = folder / ("vorn" + std::to_string(uint64_t{random()} << 32 | random()) + ".tmp");
        FILE* file = nullptr;
        if (_wfopen_s(&file, name.c_str(), L"wbx") != 0 || !file) continue;
        const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
        if (std::fclose(file) == 0 && written) return name;
        std::error_code ignored;
        std::filesystem::remove(name, ignored);
        return {};
    }
    return {};
}
#else
// mkstemp opens with O_CREAT | O_EXCL and mode 0600.
std::filesystem::path CreateExclusive(const std::filesystem::path& folder, const std::string& content) {
    std::string name = (folder / "vornXXXXXX").string();
    const int file = mkstemp(name.data());
    if (file < 0) return {};
    const bool written = write(file, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    if (close(file) == 0 && written) return name;
    unlink(name.c_str());
    return {};
}
#endif

} // namespace

ScratchFile::ScratchFile(const std::filesystem::path& folder, const std::string& content)
    : path_(CreateExclusive(folder, content)) {}

ScratchFile::~ScratchFile() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove(path_, ignored);
}

} // namespace vorn::monitor
