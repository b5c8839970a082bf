#pragma once

#include "isa/Command.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorn::isa {

// One word of an assembled memory image.
struct MemoryRecord {
    int32_t address = 0; // word address; -1 marks the end of an image handed to the machine
    uint32_t word = 0;
    std::string text;                     // the label the source line defines, without ':'
    std::shared_ptr<Command> instruction; // none for a data word
    bool flag = false;
};

} // namespace vorn::isa
