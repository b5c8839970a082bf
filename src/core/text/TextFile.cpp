#include "text/TextFile.h"

namespace vorn::text {

std::string WithWindowsLineEnds(const std::string& text) {
    std::string result;
    result.reserve(text.size() + 2);
    for (char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

bool ReadTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

} // namespace vorn::text
