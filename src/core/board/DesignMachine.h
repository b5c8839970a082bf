#pragma once
// The machine inside an emulated design, as the design's bus and clock see it: the DLX CPU of
// the load/store lab, or the step counter of the other labs.

#include <cstdint>

namespace vorn::board {

class DesignMachine {
  public:
    virtual ~DesignMachine() = default;

    // One clock step; gives the word of signals that the logic analyser samples for it.
    virtual uint32_t Step() = 0;
    virtual void Reset() = 0;
    virtual bool Halted() const = 0;
    virtual uint32_t Pc() const = 0;
    virtual uint32_t ReadRegister(uint32_t index) = 0;
    virtual void WriteRegister(uint32_t index, uint32_t value) = 0;
    virtual uint32_t ReadMemory(uint32_t address) = 0;
    virtual void WriteMemory(uint32_t address, uint32_t value) = 0;
};

} // namespace vorn::board
