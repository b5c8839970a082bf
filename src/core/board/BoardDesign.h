#pragma once
// What the emulated FPGA holds: one of the four lab designs and its address map. A .bit file
// of ours describes it in text:
//
//   VORN emulated FPGA configuration
//   design load/store            slave, self-monitoring, read/write or load/store
//   ram 0 3fff                   first and last RAM word (read/write and load/store)
//   registers 8000               the 32 CPU registers (plain registers without a CPU)
//   analyser 8020                the logic analyser's samples (all but the slave design)
//   pc 8040                      the program counter (the step counter without a CPU)
//   status 8041                  sample count in the low byte, bit 8 the CPU's halt
//   command 8042                 a register the host may write
//
// Addresses are board word addresses in hexadecimal; blank lines and lines starting with '#'
// are skipped; CR LF or LF.

#include <cstdint>
#include <optional>
#include <string>

namespace vorn::board {

enum class DesignKind { Slave, SelfMonitoring, ReadWrite, LoadStore };

struct BoardDesign {
    DesignKind kind = DesignKind::LoadStore;
    uint32_t ramStart = 0x0;
    uint32_t ramEnd = 0x3FFF;
    uint32_t registers = 0x8000;
    uint32_t analyser = 0x8020;
    uint32_t pc = 0x8040;
    uint32_t status = 0x8041;
    uint32_t command = 0x8042;

    bool HasRam() const { return kind == DesignKind::ReadWrite || kind == DesignKind::LoadStore; }
    bool HasAnalyser() const { return kind != DesignKind::Slave; }
    bool HasCpu() const { return kind == DesignKind::LoadStore; }

    bool operator==(const BoardDesign&) const = default;
};

// The lab's reference design, which any configuration that is not ours loads.
BoardDesign LoadStoreDesign();

// Nothing unless the text is one of ours with every address its design uses.
std::optional<BoardDesign> ParseBoardDesign(const std::string& text);

} // namespace vorn::board
