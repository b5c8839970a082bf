#pragma once
// The picture that a simulator view shows: the texts of its Commands window, registers and
// memory watches as of the last refresh (or of the last read back from the fields). The state
// file and the printed page are made from these texts, not from the machine.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vorn::simulator {

struct FormTexts {
    static constexpr int kRows = 10;
    static constexpr int kRegisters = 32;
    static constexpr int kWatches = 15;
    // The Commands row of the PC; the printed page and the state file mark the row after it.
    static constexpr int kPcRow = 4;
    static constexpr int kMarkedRow = 5;

    std::array<std::string, kRegisters> registers;
    std::array<std::string, kRows> values;
    std::array<std::string, kRows> commands;
    std::array<std::string, kWatches> watchAddresses;
    std::array<std::string, kWatches> watchValues;
    // The PC at the last refresh.
    int32_t base = 0;

    // The word address of Commands row r, base + r - 4; nothing when that falls below 0 or past
    // 0x7FFFFFFF (the row is empty: it neither wraps round nor reads memory).
    std::optional<int32_t> RowAddress(int r) const;
    // The screen's address text of row r: "0x%x", empty for a row without an address.
    std::string AddressText(int r) const;
    // The address text of the state file and the printed page: "->0x%x" for the marked row,
    // "  0x%x" for the others, empty for a row without an address.
    std::string MarkedAddressText(int r) const;
};

} // namespace vorn::simulator
