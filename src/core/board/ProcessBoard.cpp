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
    // Every refresh connects: the heading tells whether the load changed before it is read.
    if (configured_ && ReadFpgaLoadId().value_or(0) == loadId_) return;
    const auto load = ReadFpgaLoad();
    configured_ = true;
    loadId_ = load ? load->id : 0;
    const auto design = load ? ParseBoardDesign(load->bitText) : std::nullopt;
    auto instructions = isa::LoadCommands("commands.xml");
    board_.Configure(design.value_or(LoadStoreDesign()),
                     instructions ? std::move(*instructions) : isa::InstructionSet{});
}

} // namespace vorn::board
