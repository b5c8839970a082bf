#pragma once
// How the loader stand-in, a process of its own, hands a configuration to the board emulator
// inside the monitor: the file "fpga.state" in the working directory. Its first line is
// "VORN FPGA load <id>", the rest the .bit file's bytes. Every load has an id of its own, so
// that loading the same file again configures the board anew, whichever directory it is in.

#include <cstdint>
#include <optional>
#include <string>

namespace vorn::board {

inline constexpr const char* FpgaLoadFileName = "fpga.state";

struct FpgaLoad {
    uint64_t id = 0;
    std::string bitText;
};

// Copies the .bit file into the state file; false when it cannot be read or written.
bool HandOverBitFile(const std::string& bitFile);
// The last load, or nothing when there is none (or it cannot be read).
std::optional<FpgaLoad> ReadFpgaLoad();
// The id of the last load from the heading alone, so that an unchanged load of a large .bit
// is not read again.
std::optional<uint64_t> ReadFpgaLoadId();

} // namespace vorn::board
