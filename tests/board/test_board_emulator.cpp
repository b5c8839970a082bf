// The emulated FPGA where the link's road does not reach it: the address maps of the designs,
// the logic analyser's window of samples and what the reset line keeps.

#include "DlxWords.h"
#include "board/BoardEmulator.h"
#include "board/DlxMachine.h"

#include <gtest/gtest.h>

namespace vorn::board {
namespace {

constexpr uint32_t Registers = 0x8000;
constexpr uint32_t Analyser = 0x8020;
constexpr uint32_t Pc = 0x8040;
constexpr uint32_t Status = 0x8041;
constexpr uint32_t Command = 0x8042;

class EmulatedFpga : public ::testing::Test {
  protected:
    void Load(DesignKind kind) {
        BoardDesign design;
        design.kind = kind;
        board.Configure(design, testing::LabInstructionSet());
    }
    uint32_t ReadWord(uint32_t address) {
        board.Write(address & 0xFFFF, address >> 16, 0x00);
        return static_cast<uint32_t>(board.Read());
    }
    void WriteWord(uint32_t address, uint32_t word) {
        board.Write(address & 0xFFFF, address >> 16, 0x01);
        board.Write(word & 0xFFFF, word >> 16, 0x03);
    }
    void Step() {
        board.Write(0, 0, 0x14);
        board.Write(0, 0, 0x04);
    }

    testing::DlxWords dlx;
    BoardEmulator board;
};

TEST_F(EmulatedFpga, EachDesignHasItsOwnAddressMap) {
    Load(DesignKind::LoadStore);
    WriteWord(Registers + 3, 77);
    EXPECT_EQ(ReadWord(Registers + 3), 0u) << "the DLX registers are read-only to the host";
    WriteWord(Command, 0x1234);
    EXPECT_EQ(ReadWord(Command), 0x1234u);

    Load(DesignKind::Slave);
    WriteWord(Registers + 3, 77);
    EXPECT_EQ(ReadWord(Registers + 3), 77u);
    Step();
    Step();
    EXPECT_EQ(ReadWord(Pc), 2u) << "the step counter";
    EXPECT_EQ(ReadWord(Status), 0u) << "the slave design has no analyser";
    WriteWord(0x10, 5);
    EXPECT_EQ(ReadWord(0x10), 0u) << "nor RAM";

    Load(DesignKind::ReadWrite);
    WriteWord(0x10, 5);
    EXPECT_EQ(ReadWord(0x10), 5u);
    WriteWord(0x4000, 5);
    EXPECT_EQ(ReadWord(0x4000), 0u) << "beyond RAMend";
}

TEST_F(EmulatedFpga, TheAnalyserKeepsTheLatest31SamplesAndTheResetEmptiesIt) {
    Load(DesignKind::SelfMonitoring);
    for (int i = 0; i < 40; ++i)
        Step();
    EXPECT_EQ(ReadWord(Status), 31u);
    EXPECT_EQ(ReadWord(Analyser), 10u) << "the counter is the sample";
    EXPECT_EQ(ReadWord(Analyser + 30), 40u);
    EXPECT_EQ(ReadWord(Analyser + 31), 0u) << "past the analyser";

    Load(DesignKind::LoadStore);
    WriteWord(0, dlx.I("addi", 1, 1, 1));
    WriteWord(1, dlx.I("j", 0, 0, 1));
    Step();
    Step();
    EXPECT_EQ(ReadWord(Analyser + 1), 3u | DlxMachine::JumpSignal);
    board.Write(0, 0, 0x0C);
    board.Write(0, 0, 0x1C);
    board.Write(0, 0, 0x0C);
    EXPECT_EQ(ReadWord(Pc), 0u) << "held at 0, also by a step";
    EXPECT_EQ(ReadWord(Status) & 0xFF, 0u);
    EXPECT_EQ(ReadWord(Registers + 1), 1u) << "the reset keeps the registers";
}

} // namespace
} // namespace vorn::board
