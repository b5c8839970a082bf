// Continuous mode's worker polls for the halt while the ui thread keeps transferring words
// through the same link.

#include "BoardRoad.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace vorn::board {
namespace {

using Concurrency = testing::BoardRoad;

// The worker polls no faster than the ui thread reads: the CPU advances at every sample of the
// port, and the worker's polls alone could take it to its halt before the first read.
TEST_F(Concurrency, APollingWorkerAndReadingUiThreadShareTheLink) {
    // r1 counts 20000 down to 0 (about 60000 steps), then halt at address 3.
    const std::vector<uint32_t> program = {dlx.I("addi", 1, 0, 20000), dlx.I("subi", 1, 1, 1),
                                           dlx.I("bnez", 0, 1, -2), dlx.Halt()};
    WriteProgram(program);
    ASSERT_EQ(link->RunStart(), NoError);

    std::atomic<int> reads{0};
    std::atomic<bool> halted{false}, giveUp{false};
    std::thread worker([&] {
        for (int polls = 0; !halted && !giveUp; ++polls) {
            while (reads < polls && !giveUp)
                std::this_thread::yield();
            halted = link->PollHalt();
        }
    });
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!halted && std::chrono::steady_clock::now() < limit) {
        const uint32_t address = static_cast<uint32_t>(reads) % program.size();
        uint32_t word = 0;
        const BoardError result = link->ReadWord(address, word);
        EXPECT_EQ(result, NoError);
        EXPECT_EQ(word, program[address]);
        // Not an ASSERT: the worker must be joined before the test may end.
        if (result != NoError || word != program[address]) break;
        ++reads;
    }
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
