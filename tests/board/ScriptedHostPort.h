#pragma once
// A host port for exact protocol cases: it records every write and answers reads from a
// script of 40-bit samples (data word in bits 0-31, status byte in bits 32-39); once the script
// is used up the last sample repeats.

#include "board/HostPort.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace vorn::testing {

constexpr uint64_t PortSample(uint8_t status, uint32_t data = 0) {
    return data | uint64_t{status} << 32;
}

// As the board maker's package gives a read: two hex digits per byte, least significant first.
inline std::string UsbHex(uint64_t sample) {
    char text[11];
    for (int byte = 0; byte < 5; ++byte)
        std::snprintf(text + 2 * byte, 3, "%02x", static_cast<unsigned>(sample >> (8 * byte) & 0xFF));
    return text;
}

struct Transfer {
    uint32_t first, second, control;
    bool operator==(const Transfer&) const = default;
};

// The control bytes written, in order.
inline std::vector<uint32_t> ControlsOf(const std::vector<Transfer>& writes) {
    std::vector<uint32_t> controls;
    for (const Transfer& t : writes)
        controls.push_back(t.control);
    return controls;
}

class ScriptedHostPort : public board::HostPort {
  public:
    using Transfer = testing::Transfer;

    std::vector<Transfer> writes;
    std::deque<uint64_t> samples;
    int reads = 0;
    bool openable = true;
    bool failWrites = false;
    bool failReads = false;
    std::pair<int64_t, int64_t> widths{40, 40};

    std::vector<uint32_t> Controls() const { return ControlsOf(writes); }

    bool Open() override { return open_ = openable; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }

    bool Write(uint32_t first, uint32_t second, uint32_t control) override {
        writes.push_back({first, second, control});
        return !failWrites;
    }
    std::optional<std::string> Read() override {
        ++reads;
        if (failReads) return std::nullopt;
        if (!samples.empty()) {
            last_ = samples.front();
            samples.pop_front();
        }
        return UsbHex(last_);
    }
    std::optional<std::pair<int64_t, int64_t>> IoWidths() override { return widths; }

  private:
    bool open_ = false;
    uint64_t last_ = 0;
};

} // namespace vorn::testing
