// Stand-in for the board maker's FPGA test: exits 0 when the emulated board answers on its
// host port (widths 40 and 40, and a read access toggles status bits 0 and 1), else 1.

#include "board/ProcessBoard.h"

#include <iostream>

namespace {

bool BoardAnswers(vorn::board::BoardEmulator& board) {
    const auto [toBoard, fromBoard] = board.IoWidths();
    const uint64_t before = board.Read();
    board.Write(0, 0, 0x00);
    const uint64_t after = board.Read();
    return toBoard == 40 && fromBoard == 40 && ((before ^ after) >> 32 & 0x03) == 0x03;
}

} // namespace

int main() {
    auto& process = vorn::board::ProcessBoard::Instance();
    process.Connect();
    const bool answers = BoardAnswers(process.board());
    std::cout << (answers ? "xstest: the board answers\n" : "xstest: the board does not answer\n");
    return answers ? 0 : 1;
}
