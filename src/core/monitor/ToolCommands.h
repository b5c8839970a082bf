#pragma once
// The command lines of the board maker's tools, from settings.xml: XSdirectory is a plain
// prefix of the tool's file name (it ends with the path separator).
//
//   loader   XSdirectory + "xsload.exe"  -usb <USB in lower-case hex>  -fpga <the .bit file>
//   test     XSdirectory + "xstest.exe"

#include "isa/Settings.h"

#include <string>
#include <vector>

namespace vorn::monitor {

struct ToolCommand {
    std::string program;
    std::vector<std::string> arguments;

    bool operator==(const ToolCommand&) const = default;
};

// How long the monitor waits for a tool before it goes on.
inline constexpr int kToolWaitMs = 20000;

// The .bit file is one argument, blanks and all.
ToolCommand LoaderCommand(const isa::Settings& settings, const std::string& bitFile);
ToolCommand TestCommand(const isa::Settings& settings);

} // namespace vorn::monitor
