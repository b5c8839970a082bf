// The stand-ins of the board maker's tools, started as the monitor starts them: the loader
// hands a .bit to the board, which takes it up at the monitor's next connect.

#include "BoardRoad.h"
#include "board/ProcessBoard.h"

#include <chrono>
#include <cstdlib>

namespace vorn::board {
namespace {

class Loader : public testing::BoardRoad {
  protected:
    static int Run(const std::string& commandLine) { return std::system(commandLine.c_str()); }
    static int Xsload(const std::string& bitFile) {
        return Run(std::string("\"") + VORN_XSLOAD + "\" -usb 0 -fpga " + bitFile);
    }
    // The load/store design, seen by its CPU: the step left R1 = 7.
    void StepTheDlx() {
        WriteProgram({dlx.I("addi", 1, 0, 7)});
        ASSERT_EQ(link->Step(), NoError);
        ASSERT_EQ(Read(CpuRam + 1), 7u);
    }
};

TEST_F(Loader, TheSlaveDesignAnswersAtCpuRamAfterTheNextConnect) {
    StepTheDlx();
    ASSERT_EQ(Xsload(VORN_SOURCE_DIR "/lab/slave.bit"), 0);
    EXPECT_EQ(Read(CpuRam + 1), 7u) << "the board changes only at the next connect";
    Reconnect();
    EXPECT_EQ(Read(CpuRam + 1), 0u);
    Write(CpuRam + 1, 0x55);
    EXPECT_EQ(Read(CpuRam + 1), 0x55u) << "plain registers";
    EXPECT_NE(link->WriteWord(0x10, 1), NoError) << "no RAM in the slave design";
    link->Disconnect();
    EXPECT_EQ(Run(std::string("\"") + VORN_XSTEST + "\""), 0) << "the test tool finds the board answering";
    ASSERT_EQ(Xsload(VORN_SOURCE_DIR "/lab/slave.bit"), 0); // the same file again configures anew
    link->Connect();
    EXPECT_EQ(Read(CpuRam + 1), 0u);
}

TEST_F(Loader, AnUnchangedLoadOfALargeBitFileIsNotReadAgainAtEachConnect) {
    std::string bitText = testing::ReadFile(VORN_SOURCE_DIR "/lab/loadstore.bit");
    bitText += "#" + std::string(8 << 20, '-') + "\n";
    ASSERT_TRUE(HandOverBitFile(directory.write("large.bit", bitText)));
    Reconnect();
    StepTheDlx();
    const auto start = std::chrono::steady_clock::now();
    for (int refresh = 0; refresh < 30; ++refresh)
        ProcessBoard::Instance().Connect();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(Read(CpuRam + 1), 7u) << "the board kept its state";
}

TEST_F(Loader, AMissingFileFailsAndLeavesTheBoardAloneAndAFileNotOursGivesTheLoadStoreDesign) {
    StepTheDlx();
    link->Disconnect();
    EXPECT_NE(Xsload(directory.file("missing.bit")), 0);
    EXPECT_NE(Xsload("/dev/null"), 0) << "a device is no configuration";
    EXPECT_NE(Run(std::string("\"") + VORN_XSLOAD + "\" -usb 0"), 0);
    link->Connect();
    EXPECT_EQ(Read(CpuRam + 1), 7u);

    link->Disconnect();
    ASSERT_EQ(Xsload(VORN_SOURCE_DIR "/lab/slave.bit"), 0);
    directory.write("vendor.bit", std::string("\xff\x00\x31 bitstream", 13));
    ASSERT_EQ(Xsload(directory.file("vendor.bit")), 0);
    link->Connect();
    StepTheDlx();
}

} // namespace
} // namespace vorn::board
