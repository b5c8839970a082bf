#pragma once
// The FPGA with a student's design behind its 40-bit host port, as the board maker's package
// reaches it. Each write carries two 16-bit halves and a control byte:
//
//   without 0x04  a memory access: 0x00 read the word at the address, 0x01 latch a write
//                 address, 0x03 write the word; each completed access toggles status bits 0
//                 and 1 and a read leaves its word on the port's data lines
//   with 0x04     CPU control: 0x08 is the reset line (a level), a rising 0x10 makes one step
//                 and toggles status bits 2 and 3
//   0x20 in any   the free-run line (a level): rising without reset starts a free run and
//                 toggles bit 2; the run's end (a halt, or the line falling) toggles bit 3
//
// A free run makes its steps while the host samples the port, a bounded slice per read, so a
// poll stays short and no thread of its own is needed. Every operation takes the board's
// lock: continuous mode polls from a worker thread while the ui thread transfers.

#include "board/BoardDesign.h"
#include "board/DesignMachine.h"
#include "board/LogicAnalyser.h"
#include "isa/InstructionSet.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>

namespace vorn::board {

class BoardEmulator {
  public:
    static constexpr int PortWidth = 40;
    // Steps of a free run per read of the port.
    static constexpr int RunSlice = 64;

    // Holds the load/store design with an empty instruction set until configured.
    BoardEmulator();

    // Loads a design: everything the previous one held is gone, as after a new configuration.
    void Configure(const BoardDesign& design, isa::InstructionSet instructions);

    void Write(uint32_t first, uint32_t second, uint32_t control);
    // The 40 bits of the port: data lines in bits 0-31, status byte in bits 32-39.
    uint64_t Read();
    std::pair<int, int> IoWidths() const { return {PortWidth, PortWidth}; }

  private:
    bool RunActive() const { return runLevel_ && !resetLevel_; }
    void SetLevels(uint32_t control);
    void ClockStep();
    void EndRun();
    void Record(uint32_t sample);
    uint32_t ReadBus(uint32_t address);
    void WriteBus(uint32_t address, uint32_t value);

    std::mutex mutex_;
    BoardDesign design_;
    std::unique_ptr<DesignMachine> machine_;
    LogicAnalyser analyser_;
    uint32_t command_ = 0;
    uint32_t writeAddress_ = 0;
    uint32_t data_ = 0;
    uint8_t status_ = 0;
    bool resetLevel_ = false;
    bool stepLevel_ = false;
    bool runLevel_ = false;
    bool freeRunning_ = false;
};

} // namespace vorn::board
