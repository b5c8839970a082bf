#pragma once
// settings.xml: the lab's address ranges, test range, polling limit and tool paths, read once
// at start-up and only read afterwards.

#include "Result.h"

#include <cstdint>
#include <string>

namespace vorn::isa {

struct Settings {
    uint32_t RAMstart = 0;
    uint32_t RAMend = 0;
    uint32_t SLAVEbase = 0;
    uint32_t SLAVEstart = 0;
    uint32_t SLAVEend = 0;
    bool configureBit = false;
    uint32_t stepsUntilMsgHardware = 0;
    uint32_t hardwareWaitCycles = 0;
    uint32_t checkAddressStart = 0;
    uint32_t checkAddressEnd = 0;
    uint32_t USB = 0;
    std::string directory;
    std::string XSdirectory;
};

// Reads the file; a file that cannot be loaded, or lacks the settings element, a key or a
// key's text, gives the settings box (exit code 0).
Result<Settings> LoadSettings(const std::string& fileName);

// A number text as settings.xml writes it: leading white space, an optional sign, in base 16
// an optional 0x prefix, digits up to the first other character. Beyond 32 bits saturates to
// 0xFFFFFFFF before a leading '-' negates modulo 2^32.
uint32_t ParseSettingsNumber(const std::string& text, int base);

} // namespace vorn::isa
