#pragma once
// Whole files read and written in one go. Every file that the system writes goes through
// WriteWholeFile, so that a failed save never destroys the file that was there before.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vorn::text {

// The bytes of a regular file; nothing for a missing file, a folder or a file that cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces target by bytes: they are written beside it under a fresh temporary name, flushed,
// closed and checked, and only then renamed over the target, whose permissions they take. A
// symbolic link is written through. False when any step fails or the target may not be
// written; the temporary is then removed and the target is as it was.
[[nodiscard]] bool WriteWholeFile(const std::filesystem::path& target, std::string_view bytes);

// The boxes of a file that could not be written or opened, naming it.
std::string CannotWriteText(const std::string& path);
std::string CannotOpenText(const std::string& path);

} // namespace vorn::text
