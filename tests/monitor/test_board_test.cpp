// "Test &Board" on the emulated board: the reference design, the bus and memory tests, and the
// lab's test program run until it halts.

#include "MonitorFixture.h"

#include <gmock/gmock.h>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;

class BoardTest : public testing::MonitorTest {
  protected:
    void SetUp() override {
        settings.configureBit = true;
        settings.directory = VORN_SOURCE_DIR "/lab/boardtest/";
        settings.XSdirectory = "tools/";
        LoadStoreLab();
        port->writes.clear();
    }
};

TEST_F(BoardTest, TheLabsTestProgramPassesOnAGoodBoard) {
    monitor->OnTestBoard();
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].arguments.back(), VORN_SOURCE_DIR "/lab/boardtest/DLX.bit");
    EXPECT_THAT(TakeBoxes(), ElementsAre("Test ended. Verify PC value!"));
    EXPECT_EQ(form().slaveList.lines[0], "PC = 0x00000003") << "the halt at \"passed\"";
    EXPECT_EQ(form().Text(control::FirstRegisterValue + 30), "0x00000006") << "every check ran";
    // The bus test at address 0 comes first, with its walking one.
    using testing::Transfer;
    EXPECT_EQ(port->writes.at(0), (Transfer{0, 0, 0x01}));
    EXPECT_EQ(port->writes.at(1), (Transfer{1, 0, 0x03}));
}

TEST_F(BoardTest, AFailedBusOrMemoryTestEndsTheTestWithoutARefresh) {
    port->stuckDataBits = 0x10;
    int opens = port->opens;
    monitor->OnTestBoard();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Bus test failed!"));
    EXPECT_EQ(port->opens, opens + 1) << "only the loader's reconnect";
    for (uint32_t address : port->ReadAddresses())
        EXPECT_EQ(address, 0u) << "the memory test did not run";
    port->stuckDataBits = 0;
    port->stuckAddressBits = 0x10; // word 0x10 lands on word 0
    opens = port->opens;
    monitor->OnTestBoard();
    EXPECT_THAT(TakeBoxes(), ElementsAre("Memory test failed in address 0x00000000"));
    EXPECT_EQ(port->opens, opens + 1);
}

} // namespace
} // namespace vorn::monitor
