#include "monitor/ToolCommands.h"

#include "monitor/MonitorTexts.h"

namespace vorn::monitor {

ToolCommand LoaderCommand(const isa::Settings& settings, const std::string& bitFile) {
    return {settings.XSdirectory + "xsload.exe",
            {"-usb", Format("%x", static_cast<unsigned>(settings.USB)), "-fpga", bitFile}};
}

ToolCommand TestCommand(const isa::Settings& settings) {
    return {settings.XSdirectory + "xstest.exe", {}};
}

} // namespace vorn::monitor
