#include "assembler/CompileOutput.h"

#include <charconv>

namespace vorn::assembler {

std::vector<std::string> CompileOutput(const Compiler& compiler, const std::string& sourcePath) {
    if (!compiler.Succeeded()) {
        std::vector<std::string> output{"Compilation failed. Errors:"};
        output.insert(output.end(), compiler.ErrorList().begin(), compiler.ErrorList().end());
        return output;
    }
    std::vector<std::string> output{"Compilation Succeeded on " + sourcePath + " - .cod,.lst files saved."};
    output.insert(output.end(), compiler.LabelReport().begin(), compiler.LabelReport().end());
    return output;
}

// The number stands between the blank after the first ':' and the first '.'.
std::optional<int32_t> ErrorLineNumber(const std::string& entry) {
    if (entry.find("ERROR ON LINE") == std::string::npos) return std::nullopt;
    const size_t colon = entry.find(':');
    const size_t dot = entry.find('.');
    if (colon == std::string::npos || dot == std::string::npos || dot < colon + 2) return std::nullopt;
    const char* first = entry.data() + colon + 2;
    int32_t line = 0;
    if (std::from_chars(first, entry.data() + dot, line).ec != std::errc() || line < 1) return std::nullopt;
    return line;
}

} // namespace vorn::assembler
