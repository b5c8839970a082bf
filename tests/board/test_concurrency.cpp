// Continuous mode's worker polls for the halt while the ui thread keeps transferring words
// through the same link.

#include "BoardRoad.h"

#include <atomic>
#include <thread>

namespace vorn::board {
namespace {

using Concurrency = testing::BoardRoad;

TEST_F(Concurrency, APollingWorkerAndReadingUiThreadShareTheLink) {
    // r1 counts 20000 down to 0 (about 60000 steps), then halt at address 3.
    const std::vector<uint32_t> program = {dlx.I("addi", 1, 0, 20000), dlx.I("subi", 1, 1, 1),
                                           dlx.I("bnez", 0, 1, -2), dlx.Halt()};
    WriteProgram(program);
    ASSERT_EQ(link->RunStart(), NoError);

    std::atomic<bool> halted{false};
    std::atomic<bool> giveUp{false};
    std::thread worker([&] {
        while (!giveUp && !link->PollHalt()) {
        }
        halted = !giveUp;
    });
    int reads = 0;
    for (; reads < 2000 && !halted; ++reads) {
        const uint32_t address = static_cast<uint32_t>(reads) % program.size();
        uint32_t word = 0;
        const BoardError result = link->ReadWord(address, word);
        EXPECT_EQ(result, NoError);
        EXPECT_EQ(word, program[address]);
        // Not an ASSERT: the worker must be joined before the test may end.
        if (result != NoError || word != program[address]) break;
    }
    for (int wait = 0; wait < 20000 && !halted; ++wait)
        std::this_thread::yield();
    giveUp = true;
    worker.join();

    EXPECT_TRUE(halted);
    EXPECT_GT(reads, 10) << "the ui thread read while the worker polled";
    EXPECT_EQ(link->Stop(), NoError);
    EXPECT_EQ(Read(PcRegister), 4u);
    EXPECT_EQ(Read(CpuRam + 1), 0u);
}

} // namespace
} // namespace vorn::board
