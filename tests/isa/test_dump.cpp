#include "ScriptedPrompter.h"
#include "isa/MachineState.h"
#include "isa/MemoryDump.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace vorn::isa;
using vorn::testing::ScriptedPrompter;

namespace {

class Dump : public ::testing::Test {
  protected:
    static std::string FileBytes(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    InstructionSet set;
    ScriptedPrompter prompter;
    MachineState machine{set, prompter};
    std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / "vorn_dump_test.txt";
};

} // namespace

TEST_F(Dump, LinesAreLowerCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(DumpLine(16, 0), "0x10  0x0");
    EXPECT_EQ(DumpLine(0x7FFFFFFF, -1), "0x7fffffff  0xffffffff");
    EXPECT_EQ(DumpLine(-1, 0xABC), "0xffffffff  0xabc");
}

TEST_F(Dump, TheFileHoldsDumpAndOneLinePerAddressWithCrLf) {
    machine.WriteMemory(17, 5);
    EXPECT_EQ(DumpFileText(machine, 16, 18), "Dump\r\n0x10  0x0\r\n0x11  0x5\r\n0x12  0x0\r\n");
    EXPECT_EQ(machine.DataMemory().size(), 3u) << "a dump makes every address of its range present";
    EXPECT_EQ(DumpFileText(machine, 18, 16), "Dump\r\n");
    EXPECT_EQ(DumpLines(machine, 17, 17), std::vector<std::string>{"0x11  0x5"});
    EXPECT_TRUE(DumpLines(machine, 1, 0).empty());
}

TEST_F(Dump, ARangeEndingAtTheLargestAddressEnds) {
    const auto lines = DumpLines(machine, INT_MAX - 1, INT_MAX);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "0x7fffffff  0x0");
}

TEST_F(Dump, SavingReplacesTheFile) {
    machine.WriteMemory(0, 1);
    ASSERT_FALSE(WriteDumpFile(path.string(), machine, 0, 2));
    ASSERT_FALSE(WriteDumpFile(path.string(), machine, 0, 0));
    EXPECT_EQ(FileBytes(path), "Dump\r\n0x0  0x1\r\n");
    std::filesystem::remove(path);
}

TEST_F(Dump, AFileThatCannotBeWrittenIsAFault) {
    const auto fault = WriteDumpFile((path / "no" / "such" / "dir.txt").string(), machine, 0, 0);
    ASSERT_TRUE(fault);
    EXPECT_NE(fault->text.find("dir.txt"), std::string::npos);
}
