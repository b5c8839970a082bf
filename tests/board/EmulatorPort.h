#pragma once
// A host port straight onto a board emulator, without the Python road. It records what the link
// writes and counts the opens, and fails on request: reads of dead addresses, writes to dead
// addresses and, with a dead CPU, the CPU controls are not passed on (the design never answers
// them); stuck address bits alias RAM words, and stuck data bits read as 0.

#include "ScriptedHostPort.h"
#include "board/BoardEmulator.h"
#include "board/HostPort.h"

#include <set>

namespace vorn::testing {

class EmulatorPort : public board::HostPort {
  public:
    explicit EmulatorPort(board::BoardEmulator& board) : board_(board) {}

    std::vector<Transfer> writes;
    std::set<uint32_t> deadReads, deadWrites;
    uint32_t stuckAddressBits = 0, stuckDataBits = 0;
    bool deadCpu = false;
    int opens = 0;

    bool Open() override { return ++opens, open_ = true; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }

    bool Write(uint32_t first, uint32_t second, uint32_t control) override {
        const bool readBack = IsReadBack(writes.size());
        writes.push_back({first, second, control});
        const uint32_t word = first | second << 16;
        const uint32_t phase = control & 0x07;
        if (phase == 0x01) writeAddress_ = word;
        if ((phase == 0x00 && !readBack && deadReads.contains(word)) ||
            (phase == 0x03 && deadWrites.contains(writeAddress_)) || ((control & 0x04) && deadCpu))
            return true;
        if ((phase == 0x00 || phase == 0x01) && word <= 0x3FFF) {
            const uint32_t aliased = word & ~stuckAddressBits;
            board_.Write(aliased & 0xFFFF, aliased >> 16, control);
        } else {
            board_.Write(first, second, control);
        }
        return true;
    }
    std::optional<std::string> Read() override { return UsbHex(board_.Read() & ~uint64_t{stuckDataBits}); }
    std::optional<std::pair<int64_t, int64_t>> IoWidths() override { return board_.IoWidths(); }

    // The word addresses of the read accesses (not the read-backs of writes), in order.
    std::vector<uint32_t> ReadAddresses() const {
        std::vector<uint32_t> addresses;
        for (size_t i = 0; i < writes.size(); ++i)
            if ((writes[i].control & ~0x20u) == 0x00 && !IsReadBack(i))
                addresses.push_back(writes[i].first | writes[i].second << 16);
        return addresses;
    }
    std::vector<uint32_t> Controls() const { return ControlsOf(writes); }

  private:
    // A write's data phase is followed by the read that checks it.
    bool IsReadBack(size_t index) const { return index > 0 && (writes[index - 1].control & 0x03) == 0x03; }

    board::BoardEmulator& board_;
    bool open_ = false;
    uint32_t writeAddress_ = 0;
};

} // namespace vorn::testing
