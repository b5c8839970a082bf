#pragma once
// The platform's file calls that the whole-file reader and writer need, and nothing else: an
// open file with checked reads, writes and syncs, and what the platform knows of a file, a
// link and a folder (the commands.xml date text reads its last-write time here too).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace vorn::text {

struct FileFacts {
    bool regular = false;
    bool link = false;
    bool sharedSticky = false; // a folder that everybody may write and that keeps its files' owners
    uint64_t links = 0;
    uint32_t owner = 0;
    uint32_t group = 0;
    uint32_t mode = 0;     // permission bits
    int64_t lastWrite = 0; // whole seconds since 1970, as the file system keeps them
};

class FileHandle {
  public:
    // Opening never waits: a pipe without a writer or a device that would block opens at once,
    // so that a check on the opened file can refuse it. No name is followed as a link by
    // OpenForUpdate and CreateNew.
    static FileHandle OpenForReading(const std::filesystem::path& path);
    static FileHandle OpenForUpdate(const std::filesystem::path& path);
    static FileHandle CreateNew(const std::filesystem::path& path);
    // A file of the given folder under a fresh name nobody else can have, readable and writable
    // by its creator alone.
    static FileHandle CreateTemporary(const std::filesystem::path& folder, std::filesystem::path& name);

    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&&) = delete;
    FileHandle(const FileHandle&) = delete;
    ~FileHandle();

    explicit operator bool() const { return descriptor_ >= 0; }
    // The platform's reason for the last failed call.
    std::error_code error() const { return {error_, std::generic_category()}; }

    std::optional<FileFacts> facts();
    bool readAll(std::string& bytes);
    bool writeAll(std::string_view bytes); // from the start of the file, which ends after them
    bool setMode(uint32_t mode);
    bool sync();
    bool close();

  private:
    FileHandle(int descriptor, int error) : descriptor_(descriptor), error_(error) {}
    bool failed();

    int descriptor_;
    int error_;
};

// The facts of the name itself (a link is not followed), or of what it names.
std::optional<FileFacts> NameFacts(const std::filesystem::path& path);
std::optional<FileFacts> FileFactsOf(const std::filesystem::path& path);
uint32_t CurrentUser();
// The permissions that a newly created file gets.
uint32_t NewFileMode();

} // namespace vorn::text
