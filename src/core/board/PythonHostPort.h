#pragma once
// The host port through the board maker's Python package (module "xstools.xsdutio", class
// XsDut) in the embedded runtime. Without the maker's package our stand-in answers, which
// drives the process's board emulator. The calls are exactly these:
//
//   XsDut(0, 255, [16, 16, 8], [40])          the device
//   device.write(first, second, control)
//   device.read().to_usb() then .encode("hex") (Python 2) or .hex() (Python 3)
//   device._get_io_widths()[0] and [1]
//   device._xsusb.disconnect()
//
// An exception inside the package is printed by the runtime and the call fails.

#include "board/HostPort.h"

#include <memory>
#include <string>

namespace vorn::board {

class PythonHostPort : public HostPort {
  public:
    explicit PythonHostPort(std::string moduleName = "xstools.xsdutio");
    ~PythonHostPort() override;
    PythonHostPort(const PythonHostPort&) = delete;
    PythonHostPort& operator=(const PythonHostPort&) = delete;

    // A module that does not import prints the runtime's report and "Failed to load xstools
    // module" to standard output.
    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return device_ != nullptr; }

    bool Write(uint32_t first, uint32_t second, uint32_t control) override;
    std::optional<std::string> Read() override;
    std::optional<std::pair<int64_t, int64_t>> IoWidths() override;

  private:
    struct Device;

    std::string moduleName_;
    std::unique_ptr<Device> device_;
};

} // namespace vorn::board
