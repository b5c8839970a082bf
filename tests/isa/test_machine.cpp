// The machine: every row of the lab's commands.xml executed on chosen values (whole programs are
// run by the assembler's lab-examples test), steps, loads, registers, shared stores and dumps.

#include "LabProgram.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "isa/MachineState.h"
#include "isa/MemoryDump.h"

#include <array>
#include <climits>
#include <gtest/gtest.h>

using namespace vorn::isa;
using vorn::testing::EncodeLine;
using vorn::testing::Line;

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

class Dlx : public Machine {
  protected:
    // Executes one instruction standing at an address.
    void Execute(const Line& line, int32_t address = 10) {
        machine.LoadProgram({Word(address, EncodeLine(set, line))});
        machine.JumpTo(address);
        machine.Step();
    }
    int32_t R(int32_t i) const { return machine.GetRegister(i); }
};

} // namespace

// Each R row takes R1 and R2, each I row R1 and its immediate, into R3. Sums wrap, unsigned immediates
// are zero-extended, shifts take the low five bits, only arithmetic ones copy the sign; compares are signed.
TEST_F(Dlx, ArithmeticLogicShiftsAndComparisons) {
    // mnemonic, then {left, right, result} triples
    // clang-format off
    const std::vector<std::pair<std::string, std::vector<std::array<int32_t, 3>>>> cases = {
        {"add", {{INT_MAX, 1, INT_MIN}, {-5, 3, -2}}}, {"addu", {{-1, 1, 0}}},
        {"sub", {{3, 5, -2}, {3, -5, 8}, {INT_MIN, 1, INT_MAX}}}, {"subu", {{0, 1, -1}}},
        {"addi", {{5, -3, 2}, {INT_MAX, 1, INT_MIN}}}, {"addui", {{5, -4, 5 + 0xFFFC}}},
        {"subi", {{5, -3, 8}}}, {"subui", {{0x10000, -1, 1}}}, {"and", {{12, 10, 8}}}, {"or", {{12, 10, 14}}},
        {"xor", {{12, -1, -13}}}, {"andi", {{-1, -4, 0xFFFC}}}, {"ori", {{0x10000, -1, 0x1FFFF}}},
        {"xori", {{-1, 0xFF, -256}}}, {"sll", {{3, 33, 6}, {1, 31, INT_MIN}}},
        {"srl", {{-16, 4, 0x0FFFFFFF}, {-16, 0, -16}, {INT_MIN, 31, 1}, {-1, 36, 0x0FFFFFFF}}},
        {"sra", {{-16, 2, -4}, {16, 2, 4}}}, {"slli", {{1, 4, 16}}},
        {"srli", {{-16, 4, 0x0FFFFFFF}, {INT_MIN, 0, INT_MIN}}}, {"srai", {{-16, 4, -1}}},
        {"slt", {{-1, 1, 1}, {1, -1, 0}}}, {"sgt", {{1, -1, 1}}}, {"sle", {{-3, -3, 1}, {-2, -3, 0}}},
        {"sge", {{-3, -2, 0}}}, {"seq", {{-7, -7, 1}}}, {"sne", {{-7, -7, 0}}}, {"slti", {{-5, -3, 1}}},
        {"sgti", {{-2, -3, 1}}}, {"slei", {{-3, -3, 1}}}, {"sgei", {{-4, -3, 0}}}, {"seqi", {{-3, -3, 1}}},
        {"snei", {{-3, -3, 0}}}, {"lhi", {{0, 0x1234, 0x12340000}, {0, -1, -65536}}}
    };
    // clang-format on
    for (const auto& [mnemonic, triples] : cases)
        for (const auto& [left, right, result] : triples) {
            const CommandRecord& row = set.commands[set.FindCommandByName(mnemonic)];
            machine.SetRegister(1, left);
            machine.SetRegister(2, row.type == "R" ? right : 0);
            Execute({mnemonic, mnemonic == "lhi" ? std::vector{3, right}
                                                 : std::vector{3, 1, row.type == "R" ? 2 : right}});
            EXPECT_EQ(R(3), result) << mnemonic << " " << left << " " << right;
            EXPECT_EQ(machine.PC, 11) << mnemonic;
        }
}

// Before each: R1 = 0, R2 = -1, R5 = 42, R31 = 21; the records stay, so the step also finds its record
// after jumps past the next one. A branch continues at its address + imm + 1; a link puts the address
// after the jump in R31, and jalr R31 jumps to the old R31.
TEST_F(Dlx, BranchesJumpsLinksNopAndHalt) {
    const struct {
        Line line;
        int32_t at, pc, r31;
    } cases[] = {
        {{"jalr", {5}}, 25, 42, 26},     {{"beqz", {1, 4}}, 10, 15, 21}, {{"bnez", {1, 4}}, 10, 11, 21},
        {{"beqz", {2, -6}}, 10, 11, 21}, {{"bnez", {2, -6}}, 10, 5, 21}, {{"j", {-11}}, 10, 0, 21},
        {{"jal", {5}}, 10, 16, 11},      {{"jr", {5}}, 10, 42, 21},      {{"jalr", {31}}, 30, 21, 31},
        {{"nop", {}}, 10, 11, 21},       {{"halt", {}}, 10, 11, 21}};
    for (const auto& [line, at, pc, r31] : cases) {
        machine.SetRegister(2, -1);
        machine.SetRegister(5, 42);
        machine.SetRegister(31, 21);
        Execute(line, at);
        EXPECT_EQ(std::tuple(machine.PC, R(31), R(1), R(2), machine.Halted),
                  std::tuple(pc, r31, 0, -1, line.mnemonic == "halt"))
            << line.mnemonic;
    }
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(Dlx, LoadsStoresAndSpecialRegisters) {
    machine.WriteMemory(18, 77);
    machine.SetRegister(1, 20);
    Execute({"lw", {3, 1, -2}});
    EXPECT_EQ(R(3), 77);
    machine.SetRegister(4, -9);
    Execute({"sw", {4, 1, 5}});
    EXPECT_EQ(machine.ReadMemory(25), -9);
    Execute({"lw", {0, 1, -2}});
    EXPECT_EQ(R(0), 0);
    Execute({"movi2s", {2, 4}});
    EXPECT_EQ(machine.RegisterFiles()[1].cells[2], -9);
    Execute({"movs2i", {3, 2}});
    EXPECT_EQ(R(3), -9);
}

// A word that no row fits executes nothing and keeps no object; a decoded one stays in its record.
TEST_F(Machine, AddressesWithoutAnInstructionOnlyAdvanceAndResetClearsTheHalt) {
    machine.Halted = true;
    machine.Step();
    EXPECT_EQ(machine.PC, 1) << "no record: the PC advances even when halted";
    machine.JumpTo(3);
    machine.LoadProgram({Word(3, 0xF8000000u), Word(4, 0)}); // opcode 111110 fits no row; 0 is nop
    machine.Step();
    machine.Step();
    ASSERT_TRUE(machine.FindInstruction(3) && machine.FindInstruction(4));
    EXPECT_EQ(std::tuple(machine.PC, machine.FindInstruction(3)->instruction,
                         !machine.FindInstruction(4)->instruction),
              std::tuple(5, nullptr, false));
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
    ASSERT_TRUE(machine.FindInstruction(0) && machine.FindInstruction(1));
    EXPECT_EQ(machine.FindInstruction(0)->text + machine.FindInstruction(1)->text, "ab");
    EXPECT_EQ(machine.FindInstruction(2), nullptr);
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
    EXPECT_EQ(
        std::tuple(machine.GetRegister(0), machine.GetRegister(31), machine.RegisterFiles()[1].cells[0]),
        std::tuple(0, 7, 7));
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
    // A range ending at the largest address ends.
    EXPECT_EQ(DumpLines(machine, INT_MAX - 1, INT_MAX),
              (std::vector<std::string>{"0x7ffffffe  0x0", "0x7fffffff  0x0"}));

    const std::string path = dir.file("dump.txt");
    ASSERT_FALSE(WriteDumpFile(path, machine, 16, 18));
    ASSERT_FALSE(WriteDumpFile(path, machine, 17, 17));
    EXPECT_EQ(vorn::testing::ReadFile(path), "Dump\r\n0x11  0x5\r\n");
    const auto fault = WriteDumpFile(dir.file("no/such/dir.txt"), machine, 0, 0);
    EXPECT_NE(fault.value_or(vorn::Fault{}).text.find("dir.txt"), std::string::npos);
}
