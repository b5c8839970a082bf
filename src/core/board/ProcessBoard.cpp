#include "board/ProcessBoard.h"

#include "board/FpgaLoadFile.h"
#include "isa/LoadCommands.h"

#include <utility>

namespace vorn::board {

ProcessBoard& ProcessBoard::Instance() {
    static ProcessBoard board;
    return board;
}

void ProcessBoard::Connect() {
    std::lock_guard lock(mutex_);
    const auto load = ReadFpgaLoad();
    const uint64_t id = load ? load->id : 0;
    if (configured_ && id == loadId_) return;
    configured_ = true;
    loadId_ = id;
    const auto design = load ? ParseBoardDesign(load->bitText) : std::nullopt;
    auto instructions = isa::LoadCommands("commands.xml");
    board_.Configure(design.value_or(LoadStoreDesign()),
                     instructions ? std::move(*instructions) : isa::InstructionSet{});
}

} // namespace vorn::board
