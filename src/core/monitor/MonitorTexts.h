#pragma once
// Texts of the Hardware Monitor: printf-style formatting of its boxes and panel lines, the
// hexadecimal fields that the user types, and its text files (CR LF on disk).

#include <cstdint>
#include <cstdio>
#include <string>

namespace vorn::monitor {

// The text that snprintf makes of the format and arguments.
template <class... Args> std::string Format(const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return {};
    std::string text(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<size_t>(size));
    return text;
}

// "0x%.8x": how the monitor shows a board word.
std::string WordText(uint32_t word);

// A typed hexadecimal number, of which at most maxChars characters are read: leading blanks,
// an optional "0x" or "0X", then digits up to the first other character; no digits give 0,
// a number beyond 32 bits gives 0xFFFFFFFF.
uint32_t ReadHexField(const std::string& text, size_t maxChars = std::string::npos);

// A path that the user chose in a save dialog, with the dialog's default extension (".txt")
// added when the name has none.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

// Writes the text with every "\n" as CR LF; false when the file cannot be written.
bool WriteTextFile(const std::string& path, const std::string& text);

} // namespace vorn::monitor
