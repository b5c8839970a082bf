#include "monitor/CodUpload.h"

#include "assembler/TextFile.h"
#include "monitor/MonitorTexts.h"

#include <string>

namespace vorn::monitor {

void ReadCodUpload(std::istream& in, const std::function<void(uint32_t address, uint32_t word)>& write) {
    std::string line;
    while (assembler::ReadTextLine(in, line)) {
        if (line.starts_with('.')) continue;
        uint32_t address = ReadHexField(line);
        std::string countLine;
        assembler::ReadTextLine(in, countLine);
        for (uint32_t count = ReadHexField(countLine); count > 0; --count, ++address) {
            if (!assembler::ReadTextLine(in, line)) return;
            write(address, ReadHexField(line));
        }
    }
}

} // namespace vorn::monitor
