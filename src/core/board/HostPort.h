#pragma once
// The 40-bit host port of the student's design as the board maker's package offers it: writes
// of three fields (16 bits, 16 bits, an 8-bit control byte) and reads of 40 bits. The board
// link speaks its protocol over this interface; the embedded Python runtime implements it for
// the board (real or emulated), tests implement it with scripts.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace vorn::board {

class HostPort {
  public:
    virtual ~HostPort() = default;

    // Makes the device; false when there is none to be had (the package did not load).
    virtual bool Open() = 0;
    // Releases the device's USB connection and drops the device.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // The transfers, only while open. False when the package failed.
    virtual bool Write(uint32_t first, uint32_t second, uint32_t control) = 0;
    // The hexadecimal text of one read as the package gives it: two digits per byte, least
    // significant byte first. Nothing when the package failed.
    virtual std::optional<std::string> Read() = 0;
    // The widths of the port's two directions; nothing when the package failed.
    virtual std::optional<std::pair<int64_t, int64_t>> IoWidths() = 0;
};

} // namespace vorn::board
