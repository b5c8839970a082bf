#pragma once
// The board at the far end of the emulated USB cable: one per process, its state outliving the
// devices that reach it. Like a real board it keeps its design until the loader stand-in
// leaves a new one in the working directory; a connect takes that up. With nothing loaded
// it holds the lab's reference design (load/store). The DLX of that design executes the
// commands.xml of the working directory.

#include "board/BoardEmulator.h"

#include <cstdint>
#include <mutex>

namespace vorn::board {

class ProcessBoard {
  public:
    static ProcessBoard& Instance();

    // Configures the board anew when the loader left a configuration since the last connect.
    void Connect();
    BoardEmulator& board() { return board_; }

  private:
    ProcessBoard() = default;

    std::mutex mutex_;
    BoardEmulator board_;
    bool configured_ = false;
    uint64_t loadId_ = 0;
};

} // namespace vorn::board
