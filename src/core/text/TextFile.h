#pragma once
// The lab's text files: written with CR LF line ends, as its Windows tools write and expect
// them; read leniently, with CR LF or LF.

#include <istream>
#include <string>

namespace vorn::text {

inline constexpr const char* kLineEnd = "\r\n";

// A text whose line feeds are written as CR LF (the commands.xml date text ends with one).
std::string WithWindowsLineEnds(const std::string& text);

// The next line without its line end; false at the end of the stream.
bool ReadTextLine(std::istream& in, std::string& line);

} // namespace vorn::text
