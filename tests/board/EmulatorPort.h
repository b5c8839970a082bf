#pragma once
// A host port straight onto a board emulator, without the Python road: for emulator cases that
// need the link's protocol but not the package.

#include "ScriptedHostPort.h"
#include "board/BoardEmulator.h"
#include "board/HostPort.h"

namespace vorn::testing {

class EmulatorPort : public board::HostPort {
  public:
    explicit EmulatorPort(board::BoardEmulator& board) : board_(board) {}

    bool Open() override { return open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool Write(uint32_t first, uint32_t second, uint32_t control) override {
        board_.Write(first, second, control);
        return true;
    }
    std::optional<std::string> Read() override { return UsbHex(board_.Read()); }
    std::optional<std::pair<int64_t, int64_t>> IoWidths() override { return board_.IoWidths(); }

  private:
    board::BoardEmulator& board_;
    bool open_ = false;
};

} // namespace vorn::testing
