#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "isa/MachineState.h"
#include "isa/MemoryDump.h"

#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;

// Lines are lower-case hex without leading zeros; a saved file ends them in CR LF and replaces
// the file that was there, and a file that cannot be written is a fault naming it.
TEST(Dump, LinesAndFiles) {
    InstructionSet set;
    vorn::testing::ScriptedPrompter prompter;
    MachineState machine{set, prompter};
    vorn::testing::TempDir dir;
    EXPECT_EQ(DumpLine(0x7FFFFFFF, -1), "0x7fffffff  0xffffffff");
    EXPECT_EQ(DumpLine(-1, 0xABC), "0xffffffff  0xabc");
    machine.WriteMemory(17, 5);
    EXPECT_EQ(DumpFileText(machine, 16, 18), "Dump\r\n0x10  0x0\r\n0x11  0x5\r\n0x12  0x0\r\n");
    EXPECT_EQ(machine.DataMemory().size(), 3u) << "a dump makes every address of its range present";
    EXPECT_EQ(DumpFileText(machine, 18, 16), "Dump\r\n");
    EXPECT_TRUE(DumpLines(machine, 1, 0).empty());
    const auto top = DumpLines(machine, INT_MAX - 1, INT_MAX); // a range ending at the largest address ends
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[1], "0x7fffffff  0x0");

    const std::string path = dir.file("dump.txt");
    ASSERT_FALSE(WriteDumpFile(path, machine, 16, 18));
    ASSERT_FALSE(WriteDumpFile(path, machine, 17, 17));
    EXPECT_EQ(vorn::testing::ReadFile(path), "Dump\r\n0x11  0x5\r\n");
    const auto fault = WriteDumpFile(dir.file("no/such/dir.txt"), machine, 0, 0);
    ASSERT_TRUE(fault);
    EXPECT_NE(fault->text.find("dir.txt"), std::string::npos);
}
