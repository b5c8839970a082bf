#pragma once
// Whole files read and written in one go. Every file that the system writes goes through
// WriteWholeFile, so that a failed save never destroys the file that was there before, and every
// file that a user chooses is read through ReadWholeFile, which refuses what is not a regular file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vorn::text {

// The bytes of a regular file; nothing for a missing file, a folder, a device, a pipe or a file
// that cannot be read. The test is made on the file that was opened, and opening does not wait
// for a pipe's writer. The second form also tells why nothing was read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::string& failure);

// Whether the path opens as a regular file: the test that ReadWholeFile makes.
bool IsRegularFile(const std::filesystem::path& path);

// Replaces the target's bytes, or leaves the target as it was and gives false. An ordinary file
// (one link, the writer's own) is replaced by a private temporary file written beside it, synced
// and renamed over it with its permissions; where a rename would change what the file is (another
// link or owner) or no temporary file can be made beside it, the target is written in place and
// gets its old bytes back when a step fails. A symbolic link stays and its file is written, except
// a link in a shared sticky folder that neither the folder's owner nor the writer made. Only a
// regular file is replaced, and never one that the writer may not write.
[[nodiscard]] bool WriteWholeFile(const std::filesystem::path& target, std::string_view bytes);

// The boxes of a file that could not be written or opened, naming it.
std::string CannotWriteText(const std::string& path);
std::string CannotOpenText(const std::string& path);

} // namespace vorn::text
