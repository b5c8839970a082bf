// The emulated FPGA at its host port: the status handshakes, the CPU controls, the designs'
// address maps and the logic analyser.

#include "DlxWords.h"
#include "board/BoardEmulator.h"
#include "board/DlxMachine.h"

#include <gtest/gtest.h>
#include <vector>

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
    uint8_t StatusByte() { return static_cast<uint8_t>(board.Read() >> 32); }
    uint32_t ReadWord(uint32_t address) {
        board.Write(address & 0xFFFF, address >> 16, 0x00);
        return static_cast<uint32_t>(board.Read());
    }
    void WriteWord(uint32_t address, uint32_t word) {
        board.Write(address & 0xFFFF, address >> 16, 0x01);
        board.Write(word & 0xFFFF, word >> 16, 0x03);
    }
    void WriteProgram(const std::vector<uint32_t>& words) {
        for (uint32_t address = 0; address < words.size(); ++address)
            WriteWord(address, words[address]);
    }
    void Step() {
        board.Write(0, 0, 0x14);
        board.Write(0, 0, 0x04);
    }

    testing::DlxWords dlx;
    BoardEmulator board;
};

TEST_F(EmulatedFpga, EveryCompletedMemoryAccessTogglesBitsZeroAndOne) {
    Load(DesignKind::LoadStore);
    const uint8_t start = StatusByte();
    board.Write(0x0010, 0, 0x01);
    EXPECT_EQ(StatusByte(), start) << "the address phase completes nothing";
    board.Write(0xBEEF, 0xDEAD, 0x03);
    EXPECT_EQ(StatusByte(), start ^ 0x03);
    board.Write(0x0010, 0, 0x00);
    const uint64_t port = board.Read();
    EXPECT_EQ(static_cast<uint32_t>(port), 0xDEADBEEFu);
    EXPECT_EQ(static_cast<uint8_t>(port >> 32), start);
    EXPECT_EQ(board.IoWidths(), (std::pair{40, 40}));
}

TEST_F(EmulatedFpga, AStepIsTheRisingEdgeOfItsLine) {
    Load(DesignKind::LoadStore);
    WriteProgram({dlx.I("addi", 1, 0, 5), dlx.I("addi", 2, 1, 1), dlx.Halt()});
    board.Write(0, 0, 0x14);
    board.Write(0, 0, 0x14);
    EXPECT_EQ(StatusByte() & 0x0C, 0x0C);
    EXPECT_EQ(ReadWord(Pc), 1u);
    EXPECT_EQ(ReadWord(Registers + 1), 5u);
    board.Write(0, 0, 0x04);
    board.Write(0, 0, 0x14);
    EXPECT_EQ(StatusByte() & 0x0C, 0x00);
    EXPECT_EQ(ReadWord(Registers + 2), 6u);
}

TEST_F(EmulatedFpga, TheResetLineHoldsTheCpuAtZeroAndEmptiesTheAnalyser) {
    Load(DesignKind::LoadStore);
    WriteProgram({dlx.I("addi", 1, 1, 1), dlx.I("addi", 1, 1, 1)});
    Step();
    EXPECT_EQ(ReadWord(Status) & 0xFF, 1u);
    board.Write(0, 0, 0x0C);
    EXPECT_EQ(ReadWord(Pc), 0u);
    EXPECT_EQ(ReadWord(Status) & 0xFF, 0u);
    const uint8_t before = StatusByte();
    board.Write(0, 0, 0x1C);
    board.Write(0, 0, 0x0C);
    EXPECT_EQ(StatusByte(), before ^ 0x0C) << "the clock still answers";
    EXPECT_EQ(ReadWord(Pc), 0u);
    EXPECT_EQ(ReadWord(Registers + 1), 1u) << "the reset keeps the registers";
    board.Write(0, 0, 0x04);
    Step();
    EXPECT_EQ(ReadWord(Registers + 1), 2u);

    board.Write(0, 0, 0x0C);
    const uint8_t held = StatusByte();
    board.Write(0, 0, 0x2C);
    board.Write(0, 0, 0x0C);
    board.Write(0, 0, 0x04);
    EXPECT_EQ(StatusByte(), held) << "no free run starts while the reset is held";
}

TEST_F(EmulatedFpga, AFreeRunAnswersWithBitTwoAndEndsAtTheHaltWithBitThree) {
    Load(DesignKind::LoadStore);
    // r1 counts 200 down to 0, then halt at address 3.
    WriteProgram({dlx.I("addi", 1, 0, 200), dlx.I("subi", 1, 1, 1), dlx.I("bnez", 0, 1, -2), dlx.Halt()});
    const uint8_t start = StatusByte();
    board.Write(0, 0, 0x24);
    EXPECT_EQ((StatusByte() ^ start) & 0x0C, 0x04);
    int reads = 1;
    while (((StatusByte() ^ start) & 0x0C) != 0x0C)
        ASSERT_LT(++reads, 100);
    EXPECT_GT(reads, 2) << "a free run takes its steps a slice per read";
    EXPECT_EQ(ReadWord(Pc), 4u);
    EXPECT_EQ(ReadWord(Status) & 0x100, 0x100u);
    board.Write(0, 0, 0x04);
    EXPECT_EQ((StatusByte() ^ start) & 0x0C, 0x0C) << "the stop after a halt toggles nothing";
}

TEST_F(EmulatedFpga, TheRunLineFallingEndsTheRunEvenInAMemoryAccess) {
    Load(DesignKind::SelfMonitoring);
    const uint8_t start = StatusByte();
    board.Write(0, 0, 0x24);
    board.Read();
    board.Write(Pc & 0xFFFF, 0, 0x20);
    const uint32_t counted = static_cast<uint32_t>(board.Read());
    EXPECT_GT(counted, 0u);
    EXPECT_EQ((StatusByte() ^ start) & 0x0C, 0x04) << "0x20 accesses keep it running";
    board.Write(Pc & 0xFFFF, 0, 0x00);
    const uint32_t stopped = static_cast<uint32_t>(board.Read());
    EXPECT_EQ((StatusByte() ^ start) & 0x0C, 0x0C);
    EXPECT_EQ(ReadWord(Pc), stopped);
}

TEST_F(EmulatedFpga, TheAnalyserKeepsTheLatest31SamplesAndCountsThemInStatus) {
    Load(DesignKind::SelfMonitoring);
    for (int i = 0; i < 40; ++i)
        Step();
    EXPECT_EQ(ReadWord(Status), 31u);
    EXPECT_EQ(ReadWord(Analyser), 10u);
    EXPECT_EQ(ReadWord(Analyser + 30), 40u);
    EXPECT_EQ(ReadWord(Analyser + 31), 0u) << "past the analyser";
}

TEST_F(EmulatedFpga, TheDlxSamplesItsSignalsPerStep) {
    Load(DesignKind::LoadStore);
    WriteProgram({dlx.R("add", 1, 0, 0), dlx.I("addi", 2, 0, 3), dlx.I("j", 0, 0, 1), dlx.R("nop", 0, 0, 0),
                  dlx.Halt()});
    for (int i = 0; i < 4; ++i)
        Step();
    EXPECT_EQ(ReadWord(Analyser), 1u | DlxMachine::RTypeSignal) << "add r1 r0 r0 changes nothing";
    EXPECT_EQ(ReadWord(Analyser + 1), 2u | DlxMachine::RegisterWriteSignal);
    EXPECT_EQ(ReadWord(Analyser + 2), 4u | DlxMachine::JumpSignal);
    EXPECT_EQ(ReadWord(Analyser + 3), 5u | DlxMachine::HaltSignal);
}

TEST_F(EmulatedFpga, OnlyTheDlxRegistersAreReadOnlyToTheHost) {
    Load(DesignKind::LoadStore);
    WriteWord(Registers + 3, 77);
    EXPECT_EQ(ReadWord(Registers + 3), 0u);
    WriteWord(Command, 0x1234);
    EXPECT_EQ(ReadWord(Command), 0x1234u);

    Load(DesignKind::Slave);
    WriteWord(Registers + 3, 77);
    EXPECT_EQ(ReadWord(Registers + 3), 77u);
    Step();
    Step();
    EXPECT_EQ(ReadWord(Pc), 2u);
    EXPECT_EQ(ReadWord(Status), 0u) << "the slave design has no analyser";
    WriteWord(0x10, 5);
    EXPECT_EQ(ReadWord(0x10), 0u) << "nor RAM";

    Load(DesignKind::ReadWrite);
    WriteWord(0x10, 5);
    EXPECT_EQ(ReadWord(0x10), 5u);
    WriteWord(0x4000, 5);
    EXPECT_EQ(ReadWord(0x4000), 0u) << "beyond RAMend";
}

TEST_F(EmulatedFpga, ANewConfigurationForgetsEverything) {
    Load(DesignKind::LoadStore);
    WriteProgram({dlx.I("addi", 1, 0, 5)});
    Step();
    WriteWord(Command, 9);
    Load(DesignKind::LoadStore);
    EXPECT_EQ(ReadWord(0), 0u);
    for (const uint32_t address : {Pc, Registers + 1, Command, Status})
        EXPECT_EQ(ReadWord(address), 0u) << std::hex << address;
}

} // namespace
} // namespace vorn::board
