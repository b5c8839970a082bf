// The one file of the text folder that calls the platform (POSIX) directly.

#include "text/FileHandle.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn::text {

namespace fs = std::filesystem;

namespace {

FileFacts FactsOf(const struct stat& status) {
    FileFacts facts;
    facts.regular = S_ISREG(status.st_mode);
    facts.link = S_ISLNK(status.st_mode);
    facts.sharedSticky = S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX) && (status.st_mode & S_IWOTH);
    facts.links = status.st_nlink;
    facts.owner = status.st_uid;
    facts.group = status.st_gid;
    facts.mode = status.st_mode & 07777;
    facts.lastWrite = status.st_mtime;
    return facts;
}

} // namespace

FileHandle FileHandle::OpenForReading(const fs::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    return {descriptor, descriptor < 0 ? errno : 0};
}

FileHandle FileHandle::OpenForUpdate(const fs::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    return {descriptor, descriptor < 0 ? errno : 0};
}

FileHandle FileHandle::CreateNew(const fs::path& path) {
    const int descriptor =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC, 0666);
    return {descriptor, descriptor < 0 ? errno : 0};
}

// mkostemp opens with O_CREAT | O_EXCL and mode 0600.
FileHandle FileHandle::CreateTemporary(const fs::path& folder, fs::path& name) {
    std::string pattern = ((folder.empty() ? fs::path(".") : folder) / ".vorn-XXXXXX").string();
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor >= 0) name = pattern;
    return {descriptor, descriptor < 0 ? errno : 0};
}

FileHandle::FileHandle(FileHandle&& other) noexcept : descriptor_(other.descriptor_), error_(other.error_) {
    other.descriptor_ = -1;
}

FileHandle::~FileHandle() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool FileHandle::failed() {
    error_ = errno;
    return false;
}

std::optional<FileFacts> FileHandle::facts() {
    struct stat status {};
    if (::fstat(descriptor_, &status) == 0) return FactsOf(status);
    failed();
    return std::nullopt;
}

bool FileHandle::readAll(std::string& bytes) {
    bytes.clear();
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t count = ::pread(descriptor_, buffer, sizeof buffer, offset);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return failed();
        if (count == 0) return true;
        bytes.append(buffer, static_cast<size_t>(count));
        offset += count;
    }
}

bool FileHandle::writeAll(std::string_view bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t count =
            ::pwrite(descriptor_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return failed();
        done += static_cast<size_t>(count);
    }
    return ::ftruncate(descriptor_, static_cast<off_t>(bytes.size())) == 0 || failed();
}

bool FileHandle::setMode(uint32_t mode) {
    return ::fchmod(descriptor_, static_cast<mode_t>(mode)) == 0 || failed();
}

bool FileHandle::sync() {
    return ::fsync(descriptor_) == 0 || failed();
}

// A close that fails may have lost written data; the descriptor is gone either way.
bool FileHandle::close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return ::close(descriptor) == 0 || failed();
}

std::optional<FileFacts> NameFacts(const fs::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return std::nullopt;
    return FactsOf(status);
}

std::optional<FileFacts> FileFactsOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FactsOf(status);
}

uint32_t CurrentUser() {
    return ::geteuid();
}

// The process's umask as the kernel reports it, so that no other thread ever sees it changed;
// only where the kernel does not report it is it read by setting it and putting it back.
uint32_t NewFileMode() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~static_cast<uint32_t>(std::stoul(line.substr(6), nullptr, 8));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace vorn::text
