#pragma once
// The built-in module "_vorn_board" through which our xstools stand-in reaches the process's
// board emulator: connect(), write(first, second, control), read() -> the five bytes of the
// port (least significant first) and io_widths() -> (40, 40).

namespace vorn::board {

inline constexpr const char* EmulatorModuleName = "_vorn_board";

// Must run before the runtime starts.
void RegisterEmulatorModule();

} // namespace vorn::board
