#include "monitor/MonitorTexts.h"

#include "isa/Settings.h"
#include "text/TextFile.h"
#include "text/WholeFile.h"

#include <filesystem>

namespace vorn::monitor {

std::string WordText(uint32_t word) {
    return Format("0x%.8x", static_cast<unsigned>(word));
}

uint32_t ReadHexField(const std::string& text, size_t maxChars) {
    const std::string field = text.substr(0, maxChars);
    // A sign is not a hex digit: "-8" has no digits and reads as 0.
    const size_t first = field.find_first_not_of(" \t\n\v\f\r");
    if (first != std::string::npos && (field[first] == '-' || field[first] == '+')) return 0;
    return isa::ParseSettingsNumber(field, 16);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    return std::filesystem::path(path).has_extension() ? path : path + extension;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    return text::WriteWholeFile(path, text::WithWindowsLineEnds(text));
}

} // namespace vorn::monitor
