#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "isa/MachineState.h"
#include "isa/MemoryDump.h"

#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::EncodeLine;

namespace {

MemoryRecord Word(int32_t address, uint32_t word, std::string text = "") {
    return {address, word, std::move(text), nullptr, false};
}

class Machine : public ::testing::Test {
  protected:
    InstructionSet set = vorn::testing::LabInstructionSet();
    vorn::testing::ScriptedPrompter prompter;
    MachineState machine{set, prompter};
};

} // namespace

TEST_F(Machine, AddressesWithoutAnInstructionOnlyAdvanceAndResetClearsTheHalt) {
    machine.Halted = true;
    machine.Step();
    EXPECT_EQ(machine.PC, 1) << "no record: the PC advances even when halted";
    machine.JumpTo(3);
    machine.LoadProgram({Word(3, 0xF8000000u)}); // opcode 111110 fits no row
    machine.Step();
    EXPECT_EQ(machine.PC, 4);
    EXPECT_EQ(machine.FindInstruction(3)->instruction, nullptr);
    machine.JumpTo(INT_MAX);
    machine.Step();
    EXPECT_EQ(machine.PC, INT_MIN);
    machine.Reset();
    EXPECT_EQ(std::pair(machine.PC, machine.Halted), std::pair(0, false));
}

// Records go into memory and the program up to the first at address -1; objects are shared
// with the image and freed with their last holder.
TEST_F(Machine, LoadingAddsToAndReplacesWithinWhatIsThere) {
    machine.LoadProgram({Word(-1, 7), Word(0, 9)});
    EXPECT_TRUE(machine.Program().empty());
    auto command = std::make_shared<Itype>();
    std::weak_ptr<Command> watch = command;
    machine.LoadProgram({{0, 1, "a", command, false}, Word(1, 2), Word(-1, 0), Word(2, 3)});
    command.reset();
    EXPECT_FALSE(watch.expired());
    machine.LoadProgram({Word(1, 20, "b"), Word(5, 50), Word(0, 1, "a")});
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(machine.DataMemory(), (std::map<int32_t, int32_t>{{0, 1}, {1, 20}, {5, 50}}));
    EXPECT_EQ(machine.FindInstruction(0)->text + machine.FindInstruction(1)->text, "ab");
    EXPECT_EQ(machine.FindInstruction(2), nullptr);
}

TEST_F(Machine, StoresWriteTheWordsOfTheProgramButTheStepKeepsItsObject) {
    // M[R0+1] := R0, then R2 := R2 + 1
    machine.LoadProgram(
        {Word(0, EncodeLine(set, {"sw", {0, 0, 1}})), Word(1, EncodeLine(set, {"addi", {2, 2, 1}}))});
    machine.Step();
    EXPECT_EQ(machine.ReadMemory(1), 0);
    machine.Step();
    EXPECT_EQ(machine.GetRegister(2), 1);
    EXPECT_NE(machine.FindInstruction(0)->instruction, nullptr) << "the decoded object stays in the record";
    // A record loaded over an executed one runs its own action, not what was kept for the old one.
    machine.LoadProgram({Word(1, EncodeLine(set, {"subi", {2, 2, 5}}))});
    machine.JumpTo(1);
    machine.Step();
    EXPECT_EQ(machine.GetRegister(2), -4);
}

// R0 of the general registers stays 0; other files' R0 does not. Access outside the files or
// cells reads UnreadableRegister and writes nothing.
TEST_F(Machine, RegistersKeepR0AndAreBoundsChecked) {
    for (int32_t file : {-1, static_cast<int32_t>(machine.RegisterFiles().size()), 0})
        for (int32_t cell : {32, -1, file == 0 ? 32 : 3}) {
            machine.CurrentRegisterFile = file;
            machine.SetRegister(cell, 1);
            EXPECT_EQ(machine.GetRegister(cell), MachineState::UnreadableRegister) << file << " " << cell;
        }
    for (const RegisterFile& file : machine.RegisterFiles())
        EXPECT_EQ(file.cells, RegisterFile{}.cells);
    machine.SetRegister(0, 5);
    EXPECT_EQ(machine.GetRegister(0), 0);
    machine.SetRegisterInitValue(7);
    EXPECT_EQ(machine.GetRegister(0), 0);
    EXPECT_EQ(machine.GetRegister(31), 7);
    EXPECT_EQ(machine.RegisterFiles()[1].cells[0], 7);
    machine.SetRegister(4, 9);
    machine.ResetRegisters();
    EXPECT_EQ(machine.GetRegister(4), 7);
    machine.CurrentRegisterFile = 1;
    machine.SetRegister(0, 5);
    EXPECT_EQ(machine.GetRegister(0), 5);
}

// The simulator windows share PC, registers and memory, each with its own program; machines on
// stores of their own share nothing, and the instruction set keeps the initial state.
TEST_F(Machine, MachinesOnOneStoreShareStateButNotPrograms) {
    auto store = std::make_shared<MachineStore>(set);
    MachineState first(set, prompter, store);
    MachineState second(set, prompter, store);
    first.LoadProgram({Word(5, 0)});
    first.JumpTo(5);
    first.SetRegister(3, 7);
    EXPECT_EQ(std::tuple(second.PC, second.GetRegister(3), second.ReadMemory(5)), std::tuple(5, 7, 0));
    EXPECT_NE(first.FindInstruction(5), nullptr);
    EXPECT_EQ(second.FindInstruction(5), nullptr);
    EXPECT_EQ(std::tuple(machine.GetRegister(3), machine.DataMemory().size(), machine.PC,
                         set.registerFiles[0].cells[3]),
              std::tuple(0, 0u, 0, 0));
    second.SetRegisterInitValue(0); // a new window clears the registers the first one shows
    EXPECT_EQ(first.GetRegister(3), 0);
}

// Lines are lower-case hex without leading zeros; a saved file ends them in CR LF and replaces
// the file that was there, and a file that cannot be written is a fault naming it.
TEST_F(Machine, DumpLinesAndFiles) {
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
