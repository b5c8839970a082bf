#pragma once
// The machine of the designs without a CPU: a step counter that the PC register shows, 32
// plain registers and a plain word memory. It never halts; a free run counts until stopped.
// Its logic-analyser sample is the counter itself.

#include "board/DesignMachine.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace vorn::board {

class CounterMachine : public DesignMachine {
  public:
    uint32_t Step() override { return ++counter_; }
    void Reset() override { counter_ = 0; }
    bool Halted() const override { return false; }
    uint32_t Pc() const override { return counter_; }
    uint32_t ReadRegister(uint32_t index) override { return registers_.at(index); }
    void WriteRegister(uint32_t index, uint32_t value) override { registers_.at(index) = value; }
    uint32_t ReadMemory(uint32_t address) override {
        const auto word = memory_.find(address);
        return word == memory_.end() ? 0 : word->second;
    }
    void WriteMemory(uint32_t address, uint32_t value) override { memory_[address] = value; }

  private:
    uint32_t counter_ = 0;
    std::array<uint32_t, 32> registers_{};
    std::unordered_map<uint32_t, uint32_t> memory_;
};

} // namespace vorn::board
