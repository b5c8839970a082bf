#pragma once
// A scratch file that only its maker uses: created exclusively under a name nobody can guess
// in the given folder (so a name or a link planted in a shared temporary folder is never
// followed), readable by its owner alone, and removed when the object goes.

#include <filesystem>
#include <string>

namespace vorn::monitor {

class ScratchFile {
  public:
    // Writes the content into a new file; path() is empty when it cannot be made.
    ScratchFile(const std::filesystem::path& folder, const std::string& content);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace vorn::monitor
