#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "isa/MachineState.h"

#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::EncodeLine;

namespace {

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
    machine.LoadProgram({{3, 0xF8000000u, "", nullptr, false}}); // opcode 111110 fits no row
    machine.Step();
    EXPECT_EQ(machine.PC, 4);
    EXPECT_EQ(machine.FindInstruction(3)->instruction, nullptr);
    machine.JumpTo(INT_MAX);
    machine.Step();
    EXPECT_EQ(machine.PC, INT_MIN);
    machine.Reset();
    EXPECT_EQ(machine.PC, 0);
    EXPECT_FALSE(machine.Halted);
}

// Records go into memory and the program up to the first at address -1; objects are shared
// with the image and freed with their last holder.
TEST_F(Machine, LoadingAddsToAndReplacesWithinWhatIsThere) {
    machine.LoadProgram({{-1, 7, "", nullptr, false}, {0, 9, "", nullptr, false}});
    EXPECT_TRUE(machine.Program().empty());
    auto command = std::make_shared<Itype>();
    std::weak_ptr<Command> watch = command;
    machine.LoadProgram({{0, 1, "a", command, false},
                         {1, 2, "", nullptr, false},
                         {-1, 0, "", nullptr, false},
                         {2, 3, "", nullptr, false}});
    command.reset();
    EXPECT_FALSE(watch.expired());
    machine.LoadProgram(
        {{1, 20, "b", nullptr, false}, {5, 50, "", nullptr, false}, {0, 1, "a", nullptr, false}});
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(machine.DataMemory(), (std::map<int32_t, int32_t>{{0, 1}, {1, 20}, {5, 50}}));
    EXPECT_EQ(machine.FindInstruction(0)->text, "a");
    EXPECT_EQ(machine.FindInstruction(1)->text, "b");
    EXPECT_EQ(machine.FindInstruction(2), nullptr);
}

TEST_F(Machine, StoresWriteTheWordsOfTheProgramButTheStepKeepsItsObject) {
    machine.LoadProgram({{0, EncodeLine(set, {"sw", {0, 0, 1}}), "", nullptr, false}, // M[R0+1] := R0
                         {1, EncodeLine(set, {"addi", {2, 2, 1}}), "", nullptr, false}});
    machine.Step();
    EXPECT_EQ(machine.ReadMemory(1), 0);
    machine.Step();
    EXPECT_EQ(machine.GetRegister(2), 1);
    EXPECT_NE(machine.FindInstruction(0)->instruction, nullptr) << "the decoded object stays in the record";
    // A record loaded over an executed one runs its own action, not what was kept for the old one.
    machine.LoadProgram({{1, EncodeLine(set, {"subi", {2, 2, 5}}), "", nullptr, false}});
    machine.JumpTo(1);
    machine.Step();
    EXPECT_EQ(machine.GetRegister(2), -4);
}

// R0 of the general registers stays 0; other files' R0 does not. Access outside the files or
// cells reads UnreadableRegister and writes nothing.
TEST_F(Machine, RegistersKeepR0AndAreBoundsChecked) {
    machine.SetRegister(32, 1);
    machine.SetRegister(-1, 1);
    EXPECT_EQ(machine.GetRegister(32), MachineState::UnreadableRegister);
    EXPECT_EQ(machine.GetRegister(-1), MachineState::UnreadableRegister);
    for (int32_t file : {-1, static_cast<int32_t>(machine.RegisterFiles().size())}) {
        machine.CurrentRegisterFile = file;
        machine.SetRegister(3, 1);
        EXPECT_EQ(machine.GetRegister(3), static_cast<int32_t>(0xEEEEEEEEu));
    }
    for (const RegisterFile& file : machine.RegisterFiles())
        EXPECT_EQ(file.cells, RegisterFile{}.cells);
    machine.CurrentRegisterFile = 0;
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
    first.LoadProgram({{5, 0, "", nullptr, false}});
    first.JumpTo(5);
    first.SetRegister(3, 7);
    EXPECT_EQ(second.PC, 5);
    EXPECT_EQ(second.GetRegister(3), 7);
    EXPECT_EQ(second.ReadMemory(5), 0);
    EXPECT_NE(first.FindInstruction(5), nullptr);
    EXPECT_EQ(second.FindInstruction(5), nullptr);
    EXPECT_EQ(machine.GetRegister(3), 0);
    EXPECT_TRUE(machine.DataMemory().empty());
    EXPECT_EQ(machine.PC, 0);
    EXPECT_EQ(set.registerFiles[0].cells[3], 0);
    second.SetRegisterInitValue(0); // a new window clears the registers the first one shows
    EXPECT_EQ(first.GetRegister(3), 0);
}
