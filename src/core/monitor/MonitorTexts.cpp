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
    return isa::ParseSettingsNumber(text.substr(0, maxChars), 16);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    return std::filesystem::path(path).has_extension() ? path : path + extension;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    return text::WriteWholeFile(path, text::WithWindowsLineEnds(text));
}

} // namespace vorn::monitor
