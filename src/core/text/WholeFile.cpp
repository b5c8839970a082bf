#include "text/WholeFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace vorn::text {

namespace fs = std::filesystem;

namespace {

// A file beside the target that nobody else writes: created exclusively under a random name,
// so neither a second writer nor a left-over file of an earlier run can be met.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".~%08x%08x.tmp", random(), random());
        temporary = target;
        temporary += suffix;
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) return file;
    }
    return nullptr;
}

// A buffered write may fail only when the buffer is flushed, and the last data may fail only at
// close: each step is checked.
bool WriteAndClose(std::FILE* file, std::string_view bytes) {
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    return std::fclose(file) == 0 && written;
}

// The file that a write through target replaces: a symbolic link stays and its file is
// replaced; a file that may not be written is refused, as opening it for writing would be,
// although a rename needs only the folder's permission. Only a regular file is replaced: a
// rename over a device or a pipe (a save to /dev/null as root) would put a file in its place.
std::optional<fs::path> ReplaceableFile(const fs::path& target) {
    std::error_code error;
    const bool link = fs::is_symlink(fs::symlink_status(target, error));
    const fs::path file = link ? fs::weakly_canonical(target, error) : target;
    if (link && error) return std::nullopt;
    if (!fs::exists(file, error)) return file;
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    std::FILE* existing = std::fopen(file.string().c_str(), "r+b");
    if (!existing) return std::nullopt;
    std::fclose(existing);
    return file;
}

void KeepPermissions(const fs::path& target, const fs::path& temporary) {
    std::error_code error;
    const fs::file_status old = fs::status(target, error);
    if (!error && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), error);
}

} // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool WriteWholeFile(const fs::path& target, std::string_view bytes) {
    const std::optional<fs::path> replaced = ReplaceableFile(target);
    fs::path temporary;
    std::FILE* file = replaced ? CreateTemporaryBeside(*replaced, temporary) : nullptr;
    if (!file) return false;
    std::error_code error;
    if (WriteAndClose(file, bytes)) {
        KeepPermissions(*replaced, temporary);
        fs::rename(temporary, *replaced, error);
        if (!error) return true;
    }
    fs::remove(temporary, error);
    return false;
}

std::string CannotWriteText(const std::string& path) {
    return "The file " + path + " could not be written.";
}

std::string CannotOpenText(const std::string& path) {
    return "The file " + path + " could not be opened.";
}

} // namespace vorn::text
