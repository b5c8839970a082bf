#pragma once
// The Hardware Monitor's link to the FPGA board: word read and write at a word address, CPU
// step, reset line, free run, halt poll and stop, bus and memory self-tests and the port-width
// check, all built on the host-port protocol of the student's design:
//
//   control byte  0x01/0x03  write: address phase, data phase     0x00  read (also read-back)
//                 0x14/0x1C  one step (0x1C with the reset held)  0x0C  reset line asserted
//                 0x24       free run (also its release of reset)  0x04  idle
//                 memory accesses carry 0x20 while the CPU runs free
//   status byte   bits 0 and 1 toggle when a memory access completes, bits 2 and 3 when a
//                 step completes; in a free run bit 2 answers the start and both differ from
//                 the run's first sample once the CPU has halted.
//
// Every operation returns a BoardError and keeps a failure as the last error. One lock
// serialises the operations in arrival order, so continuous mode's worker may poll while the
// ui thread transfers.

#include "board/BoardError.h"
#include "board/FairMutex.h"
#include "board/HostPort.h"
#include "board/TraceLog.h"
#include "isa/Settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vorn::board {

class BoardLink {
  public:
    // Over the embedded Python runtime and the board maker's package (or our stand-in). Opens
    // the trace; a poll limit (hardwareWaitCycles) below 1 counts as 1, one beyond 2^31-1 as
    // 2^31-1. The memory test covers checkAddressStart to checkAddressEnd.
    explicit BoardLink(const isa::Settings& settings);
    BoardLink(const isa::Settings& settings, std::unique_ptr<HostPort> port,
              TraceLog& trace = TraceLog::Process());

    // Makes the device unless there is one; without the package the link stays without one,
    // and every operation then answers NoAnswer.
    void Connect();
    // Releases the device, if there is one.
    void Disconnect();

    // ConfigurationError unless the port's widths are 40 and 40.
    BoardError CheckIoWidths();
    // 1 asserts the CPU reset line, any other value releases it.
    BoardError SetReset(int32_t value);
    BoardError WriteWord(uint32_t address, uint32_t word);
    // The word is written only on success.
    BoardError ReadWord(uint32_t address, uint32_t& word);
    BoardError Step();
    BoardError RunStart();
    // Whether the free-running CPU has halted (not an error code).
    bool PollHalt();
    BoardError Stop();
    BoardError BusTest(uint32_t address);
    // The failing address is written with MemoryTestMismatch and with a failed transfer.
    BoardError MemoryTest(uint32_t& failingAddress);
    std::string ErrorText() const;

    // The 40 bits of a read's hexadecimal text (least significant byte first): data word in
    // bits 0-31, status byte in bits 32-39. Nothing unless the text is exactly bits/4 digits.
    static std::optional<uint64_t> DecodeRead(const std::string& text, int bits = 40);

  private:
    // The operations under the lock.
    BoardError CheckWidths();
    BoardError WriteChecked(uint32_t address, uint32_t word);
    BoardError ReadChecked(uint32_t address, uint32_t& word);
    BoardError WriteWordRaw(uint32_t address, uint32_t word);
    BoardError ReadWordRaw(uint32_t address, uint32_t& word);
    BoardError CheckWidthsAfterNotDone(BoardError raw);

    uint8_t SampleStatus();
    uint64_t Sample();
    void Put(uint32_t value, uint32_t control);
    void Idle();
    uint32_t RunVariant() const { return running_ ? 0x20u : 0u; }
    BoardError Fail(BoardError code);
    template <class Operation> BoardError Guarded(Operation operation);

    mutable FairMutex mutex_;
    std::unique_ptr<HostPort> port_;
    TraceLog& trace_;
    bool resetHeld_ = false;
    bool running_ = false;
    uint8_t runStatus_ = 0;
    BoardError lastError_ = NoError;
    int32_t pollLimit_;
    uint32_t checkAddressStart_;
    uint32_t checkAddressEnd_;
};

} // namespace vorn::board
