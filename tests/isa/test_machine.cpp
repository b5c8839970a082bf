#include "ScriptedPrompter.h"
#include "isa/MachineState.h"

#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::ScriptedPrompter;

namespace {

InstructionSet MachineSet() {
    InstructionSet set;
    set.commands = {
        {"R", "add", "000000", "100000", "MR[RD]:=MR[RS1]+MR[RS2]", "3", false, {RD, RS1, RS2}},
        {"I", "addi", "001000", "000000", "MR[RD] := MR[RS1] + imm", "3", false, {RD, RS1, Imm}},
        {"I", "j", "000010", "000000", "PC:=PC+imm", "1", true, {Imm, None, None}},
        {"I", "sw", "101011", "000000", "M[MR[RS1]+imm]:=MR[RD]", "3", false, {RD, RS1, Imm}},
        {"I", "halt", "111111", "000000", "halt", "0", false, {None, None, None}},
        {"I", "blank", "000001", "000000", "", "0", false, {None, None, None}},
        {},
    };
    set.registerFiles.push_back(RegisterFile{"MF", {}});
    return set;
}

class Machine : public ::testing::Test {
  protected:
    uint32_t Word(const std::string& mnemonic, int32_t rd, int32_t rs1, int32_t rs2OrImm) {
        const int32_t row = set.FindCommandByName(mnemonic);
        std::shared_ptr<Command> command;
        if (set.commands[row].type == "R")
            command = std::make_shared<Rtype>();
        else
            command = std::make_shared<Itype>();
        SetOperand(*command, RD, rd);
        SetOperand(*command, RS1, rs1);
        SetOperand(*command, command->IsRType() ? RS2 : Imm, rs2OrImm);
        return *EncodeInstruction(set, mnemonic, *command);
    }
    void Load(int32_t address, uint32_t word) {
        machine.LoadProgram({MemoryRecord{address, word, "", nullptr, false}});
    }

    InstructionSet set = MachineSet();
    ScriptedPrompter prompter;
    MachineState machine{set, prompter};
};

} // namespace

TEST_F(Machine, StepExecutesTheRecordAtThePcAndAdvances) {
    machine.SetRegister(1, 5);
    Load(0, Word("addi", 2, 1, -3));
    Load(1, Word("add", 3, 1, 2));
    machine.Step();
    machine.Step();
    EXPECT_EQ(machine.GetRegister(2), 2);
    EXPECT_EQ(machine.GetRegister(3), 7);
    EXPECT_EQ(machine.PC, 2);
    EXPECT_NE(machine.FindInstruction(0)->instruction, nullptr) << "the decoded object stays in the record";
}

TEST_F(Machine, ABranchContinuesAtItsAddressPlusImmPlusOne) {
    Load(10, Word("j", 0, 0, 4));
    machine.JumpTo(10);
    machine.Step();
    EXPECT_EQ(machine.PC, 15);
}

TEST_F(Machine, HaltLeavesThePcAfterItAndAHaltedStepDoesNotAdvance) {
    Load(7, Word("halt", 0, 0, 0));
    Load(8, Word("addi", 1, 1, 1));
    machine.JumpTo(7);
    machine.Step();
    EXPECT_EQ(machine.PC, 8);
    EXPECT_TRUE(machine.Halted);
    machine.Step();
    EXPECT_EQ(machine.GetRegister(1), 1) << "a halted step still executes the instruction at the PC";
    EXPECT_EQ(machine.PC, 8);
    machine.Reset();
    EXPECT_EQ(machine.PC, 0);
    EXPECT_FALSE(machine.Halted);
}

TEST_F(Machine, AddressesWithoutAnInstructionOnlyAdvance) {
    machine.Halted = true;
    machine.Step();
    EXPECT_EQ(machine.PC, 1) << "no record: the PC advances even when halted";
    machine.JumpTo(3);
    Load(3, 0xF8000000u); // opcode 111110 fits no row
    machine.Step();
    EXPECT_EQ(machine.PC, 4);
    EXPECT_EQ(machine.FindInstruction(3)->instruction, nullptr);
    machine.JumpTo(INT_MAX);
    machine.Step();
    EXPECT_EQ(machine.PC, INT_MIN);
}

TEST_F(Machine, AnEmptyActionShowsZeroLength) {
    Load(0, Word("blank", 0, 0, 0));
    machine.Step();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "zero length");
    EXPECT_EQ(machine.PC, 1);
}

TEST_F(Machine, LoadingAddsToAndReplacesWithinWhatIsThere) {
    machine.LoadProgram({{-1, 7, "", nullptr, false}, {0, 9, "", nullptr, false}});
    EXPECT_TRUE(machine.Program().empty());
    EXPECT_TRUE(machine.DataMemory().empty());

    machine.LoadProgram({{0, 1, "a", nullptr, false},
                         {1, 2, "", nullptr, false},
                         {-1, 0, "", nullptr, false},
                         {2, 3, "", nullptr, false}});
    machine.LoadProgram({{1, 20, "b", nullptr, false}, {5, 50, "", nullptr, false}});
    EXPECT_EQ(machine.DataMemory(), (std::map<int32_t, int32_t>{{0, 1}, {1, 20}, {5, 50}}));
    EXPECT_EQ(machine.FindInstruction(0)->text, "a");
    EXPECT_EQ(machine.FindInstruction(1)->text, "b");
    EXPECT_EQ(machine.FindInstruction(2), nullptr);
}

TEST_F(Machine, InstructionObjectsAreSharedAndFreedWithTheirLastHolder) {
    auto command = std::make_shared<Itype>();
    std::weak_ptr<Command> watch = command;
    std::vector<MemoryRecord> image{{0, 0, "", command, false}};
    command.reset();
    machine.LoadProgram(image);
    image.clear();
    EXPECT_FALSE(watch.expired());
    machine.LoadProgram({{0, 0, "", nullptr, false}});
    EXPECT_TRUE(watch.expired());
}

TEST_F(Machine, StoresWriteTheWordsOfTheProgramButTheStepKeepsItsObject) {
    machine.SetRegister(1, 1);
    Load(0, Word("sw", 0, 0, 1)); // M[R0+1] := R0
    Load(1, Word("addi", 2, 2, 1));
    machine.Step();
    EXPECT_EQ(machine.ReadMemory(1), 0);
    machine.Step();
    EXPECT_EQ(machine.GetRegister(2), 1);
}

TEST_F(Machine, ReadingAbsentMemoryCreatesIt) {
    EXPECT_EQ(machine.ReadMemory(100), 0);
    EXPECT_EQ(machine.DataMemory().count(100), 1u);
    machine.WriteMemory(-5, 3);
    EXPECT_EQ(machine.ReadMemory(-5), 3);
}

TEST_F(Machine, RegisterZeroOfTheGeneralRegistersStaysZero) {
    machine.SetRegister(0, 5);
    EXPECT_EQ(machine.GetRegister(0), 0);
    machine.SetRegisterInitValue(7);
    EXPECT_EQ(machine.GetRegister(0), 0);
    EXPECT_EQ(machine.GetRegister(31), 7);
    EXPECT_EQ(machine.RegisterFiles()[1].cells[0], 7);
    machine.SetRegister(4, 9);
    machine.ResetRegisters();
    EXPECT_EQ(machine.GetRegister(4), 7);
    EXPECT_EQ(machine.FillValue(), 7);
    machine.CurrentRegisterFile = 1;
    machine.SetRegister(0, 5);
    EXPECT_EQ(machine.GetRegister(0), 5);
}

TEST_F(Machine, RegisterAccessOutsideTheFilesIsBoundsChecked) {
    machine.SetRegister(32, 1);
    machine.SetRegister(-1, 1);
    EXPECT_EQ(machine.GetRegister(32), MachineState::UnreadableRegister);
    EXPECT_EQ(machine.GetRegister(-1), MachineState::UnreadableRegister);
    machine.CurrentRegisterFile = -1;
    machine.SetRegister(3, 1);
    EXPECT_EQ(machine.GetRegister(3), static_cast<int32_t>(0xEEEEEEEEu));
    machine.CurrentRegisterFile = 2;
    machine.SetRegister(3, 1);
    EXPECT_EQ(machine.GetRegister(3), MachineState::UnreadableRegister);
    for (const RegisterFile& file : machine.RegisterFiles())
        for (int32_t cell : file.cells)
            EXPECT_EQ(cell, 0);
}

TEST_F(Machine, MachinesOnOneInstructionSetKeepTheirOwnState) {
    MachineState other(set, prompter);
    machine.SetRegister(1, 5);
    machine.WriteMemory(0, 1);
    machine.PC = 9;
    EXPECT_EQ(other.GetRegister(1), 0);
    EXPECT_TRUE(other.DataMemory().empty());
    EXPECT_EQ(other.PC, 0);
    EXPECT_EQ(set.registerFiles[0].cells[1], 0);
}

// The simulator windows share PC, registers and memory, each with its own program.
TEST(SharedStore, MachinesOnOneStoreShareStateButNotPrograms) {
    InstructionSet set;
    set.commands.insert(set.commands.begin(), CommandRecord{"R", "nop", "000000", "000000", "nop", "0", false, {}});
    ScriptedPrompter prompter;
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
    second.SetRegisterInitValue(0); // a new window clears the registers the first one shows
    EXPECT_EQ(first.GetRegister(3), 0);
    MachineState alone(set, prompter);
    EXPECT_EQ(alone.PC, 0);
}
