#include "text/WholeFile.h"

#include "text/FileHandle.h"

namespace vorn::text {

namespace fs = std::filesystem;

namespace {

// As many links as the platform follows in one name.
constexpr int kMostLinks = 40;

enum class Outcome { Written, Failed, NotThisWay };

// The one test of a file that the user chose.
FileHandle OpenRegularFile(const fs::path& path, std::string& failure) {
    FileHandle file = FileHandle::OpenForReading(path);
    const std::optional<FileFacts> facts = file ? file.facts() : std::nullopt;
    if (!facts) {
        failure = file.error().message();
    } else if (!facts->regular) {
        failure = "Not a regular file";
        file.close();
    }
    return file;
}

// The file that a write through target replaces. The links of the target's own name are followed
// here, so that they stay; the platform follows the links of its folders itself, with its own
// guard, which this one repeats: in a folder that everybody may write and that keeps its files'
// owners, a link is followed only when its owner is the folder's owner or the writer, as another
// user could have planted it to make the writer overwrite a file of the writer's own.
std::optional<fs::path> FileToWrite(fs::path file) {
    for (int hop = 0; hop < kMostLinks; ++hop) {
        const std::optional<FileFacts> name = NameFacts(file);
        if (!name || name->regular) return file;
        if (!name->link) return std::nullopt;
        const std::optional<FileFacts> folder =
            FileFactsOf(file.parent_path().empty() ? "." : file.parent_path());
        if (!folder || (folder->sharedSticky && name->owner != folder->owner && name->owner != CurrentUser()))
            return std::nullopt;
        std::error_code error;
        const fs::path next = fs::read_symlink(file, error);
        if (error) return std::nullopt;
        file = file.parent_path() / next; // an absolute link replaces the whole path
    }
    return std::nullopt;
}

// The bytes go into a temporary file beside the target that only the writer can read, which
// takes the target's permissions before it gets them, is synced and closed, and is renamed over
// the target. Not the way where the rename would give the file another owner or group.
Outcome ReplaceBeside(const fs::path& file, const std::optional<FileFacts>& old, std::string_view bytes) {
    fs::path temporary;
    FileHandle handle = FileHandle::CreateTemporary(file.parent_path(), temporary);
    if (!handle) return Outcome::NotThisWay;
    const std::optional<FileFacts> made = handle.facts();
    std::error_code error;
    if (!made || (old && (made->owner != old->owner || made->group != old->group))) {
        fs::remove(temporary, error);
        return Outcome::NotThisWay;
    }
    if (handle.setMode(old ? old->mode : NewFileMode()) && handle.writeAll(bytes) && handle.sync() &&
        handle.close()) {
        fs::rename(temporary, file, error);
        if (!error) return Outcome::Written;
    }
    fs::remove(temporary, error);
    return Outcome::Failed;
}

// The target's own bytes are overwritten; when a step fails, the old bytes are put back.
bool WriteInPlace(FileHandle& file, std::string_view bytes) {
    std::string old;
    if (!file.readAll(old)) return false;
    if (file.writeAll(bytes) && file.sync()) return file.close();
    if (file.writeAll(old)) file.sync();
    return false;
}

bool WriteNewFile(const fs::path& file, std::string_view bytes) {
    const Outcome outcome = ReplaceBeside(file, std::nullopt, bytes);
    if (outcome != Outcome::NotThisWay) return outcome == Outcome::Written;
    FileHandle created = FileHandle::CreateNew(file);
    if (!created) return false;
    if (created.writeAll(bytes) && created.sync() && created.close()) return true;
    std::error_code error;
    fs::remove(file, error);
    return false;
}

} // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::string failure;
    return ReadWholeFile(path, failure);
}

std::optional<std::string> ReadWholeFile(const fs::path& path, std::string& failure) {
    FileHandle file = OpenRegularFile(path, failure);
    std::string bytes;
    if (!file) return std::nullopt;
    if (file.readAll(bytes)) return bytes;
    failure = file.error().message();
    return std::nullopt;
}

bool IsRegularFile(const fs::path& path) {
    std::string failure;
    return static_cast<bool>(OpenRegularFile(path, failure));
}

bool WriteWholeFile(const fs::path& target, std::string_view bytes) {
    const std::optional<fs::path> file = FileToWrite(target);
    if (!file) return false;
    FileHandle existing = FileHandle::OpenForUpdate(*file);
    if (!existing)
        return existing.error() == std::errc::no_such_file_or_directory && WriteNewFile(*file, bytes);
    const std::optional<FileFacts> facts = existing.facts();
    if (!facts || !facts->regular) return false;
    if (facts->links == 1) {
        const Outcome outcome = ReplaceBeside(*file, facts, bytes);
        if (outcome != Outcome::NotThisWay) return outcome == Outcome::Written;
    }
    return WriteInPlace(existing, bytes);
}

std::string CannotWriteText(const std::string& path) {
    return "The file " + path + " could not be written.";
}

std::string CannotOpenText(const std::string& path) {
    return "The file " + path + " could not be opened.";
}

} // namespace vorn::text
