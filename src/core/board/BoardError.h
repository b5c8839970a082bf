#pragma once
// The result codes of the board link. Every failure is also kept as the link's last error so
// that its text can be shown under the caller's own heading.

#include <cstdint>
#include <string>

namespace vorn::board {

enum BoardError : int32_t {
    NoError = 0,
    NotDone = 1,            // part of the expected toggle seen, or a read-back that never matched
    NoAnswer = 2,           // nothing toggled, no device, or the package failed
    ConfigurationError = 3, // the port widths are not 40 and 40
    IoLogicStuck = 4,       // has a text, produced by nothing
    DataNotValid = 6,       // only the second bit of the pair toggled
    BusTestMismatch = 7,
    MemoryTestMismatch = 8,
};

std::string BoardErrorText(int32_t code);

} // namespace vorn::board
