#include "monitor/CodUpload.h"

#include "monitor/MonitorTexts.h"
#include "text/TextFile.h"

#include <string>

namespace vorn::monitor {

void ReadCodUpload(std::istream& in, const std::function<void(uint32_t address, uint32_t word)>& write) {
    std::string line;
    while (text::ReadTextLine(in, line)) {
        if (line.starts_with('.')) continue;
        uint32_t address = ReadHexField(line);
        std::string countLine;
        text::ReadTextLine(in, countLine);
        for (uint32_t count = ReadHexField(countLine); count > 0; --count, ++address) {
            if (!text::ReadTextLine(in, line)) return;
            write(address, ReadHexField(line));
        }
    }
}

} // namespace vorn::monitor
