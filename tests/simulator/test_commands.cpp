// The simulator document's commands: "Open COD...", "Open Source..." and "From Dump File..."
// (what each loads, and that a refused file changes nothing), the run menu (what each prompt
// accepts, when the long runs ask to go on) and what two windows on one store share.

#include "SimulatorFixture.h"
#include "text/Text.h"

#include <algorithm>
#include <filesystem>

using namespace vorn::simulator;
using namespace vorn::simulator::testing;
using vorn::testing::EncodeLine;
using vorn::testing::ReadFile;
using Memory = std::map<int32_t, int32_t>;

namespace {

std::string AskAt(int steps) {
    return std::to_string(steps) + " steps had passed. Do you want to continue waiting?";
}

class Commands : public SimulatorTest {
  protected:
    bool Exists(const char* name) { return std::filesystem::exists(folder.file(name)); }
};

} // namespace

TEST_F(Commands, OpenCodLoadsCodeAndDataBlocksAndARefusedOrMissingFileChangesNothing) {
    const auto addi = static_cast<int32_t>(EncodeLine(set, {"addi", {1, 0, 5}}));
    const std::string word = vorn::text::Hex32Text(static_cast<uint32_t>(addi));
    prompter.fileAnswers = {folder.file("missing.cod"), folder.path().string()};
    document.OnOpenCod();
    document.OnOpenSource(); // a folder
    // The block before the fault was read, yet nothing of it reaches the machine.
    Open(&D::OnOpenCod, "image.cod", ".CODE\n0x0\n0x1\n" + word + "\n.TEXT\n");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Code (*.cod);;All (*.*)", "Cannot open file",
                                                 "Source (*.s);;All (*.*)", "Cannot open file",
                                                 "Code (*.cod);;All (*.*)", "Invalid code file"}));
    // clang-format off
    Open(&D::OnOpenCod, "image.cod", ".CODE\r\n0x00000010\r\n0x00000001\r\n" + word + "\r\n.DATA\r\n0x00000011\r\n"
         "0x00000002\r\n0x0000002A\r\n0xFFFFFFFF\r\n.DS\r\n0X6 XML file date: " + kVersion);
    // clang-format on
    EXPECT_EQ(machine().DataMemory(), (Memory{{16, addi}, {17, 42}, {18, -1}}));
    // Loading leaves the PC where it was; the refused files refreshed nothing.
    ASSERT_TRUE(machine().FindInstruction(16) && machine().FindInstruction(17));
    EXPECT_EQ(std::tuple(machine().Program().size(), machine().FindInstruction(16)->instruction != nullptr,
                         machine().FindInstruction(17)->instruction, machine().PC, view.updates),
              std::tuple(3u, true, nullptr, 0, 1));
}

TEST_F(Commands,
       OpenSourceWritesTheErrorsAndLoadsNothingWhenTheAssemblyFailsButLoadsWhereItsFilesCannotBeWritten) {
    Open(&D::OnOpenSource, "faulty.s", "addi r1 r0 1\nfrob r1\nfrob r2\n");
    EXPECT_EQ(
        std::tuple(LastBox(), ReadFile(folder.file("err.txt")), machine().DataMemory().size(), view.updates,
                   Exists("temp.cod"), Exists("temp.lst")),
        std::tuple("Errors in program",
                   "ERROR ON LINE: 2. unknown command: frob\r\nERROR ON LINE: 3. unknown command: frob\r\n",
                   0u, 0, false, false));
    Load({"addi r1 r0 1"});
    EXPECT_TRUE(ReadFile(folder.file("err.txt")).empty() && Exists("temp.cod") && Exists("temp.lst"));
    // Where its files cannot be written a correct program still loads, and the errors that err.txt
    // cannot keep are shown.
    for (const char* name : {"temp.lst", "err.txt"})
        std::filesystem::remove(folder.path() / name),
            std::filesystem::create_directory(folder.path() / name);
    Load({"addi r1 r0 1", "halt"});
    EXPECT_EQ(machine().DataMemory().size(), 2u);
    Open(&D::OnOpenSource, "faulty.s", "frob r1\n");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Source (*.s);;All (*.*)",
                                                 "Cannot write " + folder.file("err.txt") +
                                                     "\nERROR ON LINE: 1. unknown command: frob",
                                                 "Errors in program"}));
}

TEST_F(Commands, ADumpFileMustStartWithTheWordDumpAndWritesItsPairsAsFarAsTheyGo) {
    prompter.fileAnswers = {folder.file("missing.txt")};
    document.OnLoadDumpFile();
    for (const char* text : {"dump\n0x1 0x2\n", "Dumps 0x1 0x2", ""})
        Open(&D::OnLoadDumpFile, "dump.txt", text);
    const std::vector<std::string> boxes = Boxes();
    EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "Wrong file type"), 4);
    // The words are read as typed numbers are; reading stops at the first word that holds no
    // number at all, and a negative address is skipped.
    const std::vector<std::pair<std::string, Memory>> dumps = {
        {"Dump\r\n0x10  0x5\r\n0x11  0xa\r\n", {{16, 5}, {17, 10}}},
        {"  Dump 0x1 7 0x2\n", {{1, 7}, {16, 5}, {17, 10}}},
        {"Dump\n0xffffffff -4\n-2 1\n0x0 -4\nend of dump\n0x3 0x3\n", {{1, 7}, {0, -4}, {16, 5}, {17, 10}}},
        {"Dump\n+5 0x000000010\n4294967313 12abc\n0x4 0x\n0x6 6\n",
         {{1, 7}, {0, -4}, {5, 16}, {16, 5}, {17, 12}}}};
    for (const auto& [text, memory] : dumps) {
        Open(&D::OnLoadDumpFile, "dump.txt", text);
        EXPECT_EQ(machine().DataMemory(), memory) << text;
    }
    EXPECT_EQ(std::tuple(view.updates, Boxes()),
              std::tuple(4, std::vector<std::string>(4, "Text (*.TXT *.txt);;All (*.*)")));
}

TEST_F(Commands, ALongRunAsksBeforeEveryMultipleOfTheStepCountAndStopsWhereItsConditionComesTrue) {
    // Without a program every step only advances the PC, so the PC counts the steps done. With
    // a step count of one the question comes before every step.
    for (const int every : {1, 1000}) {
        machine().Reset();
        set.stepsUntilMsg = every;
        prompter.yesNoAnswers = {true, true, false};
        document.OnRunUntilHalt();
        EXPECT_EQ(prompter.boxes.at(0).caption, "VORN");
        EXPECT_EQ(std::tuple(Boxes(), machine().PC),
                  std::tuple(std::vector<std::string>{AskAt(every), AskAt(2 * every), AskAt(3 * every)},
                             3 * every - 1));
    }
    // A condition that holds runs no step.
    machine().JumpTo(7);
    Run(&D::OnRunUntilPc, {"7"});
    machine().Halted = true;
    document.OnRunUntilHalt();
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(7, 4));
    // After the halt the PC stands behind it and a halted step no longer moves it: a condition
    // that cannot come true goes on until No.
    Load({"halt", "dc 0x0"});
    machine().Reset();
    prompter.yesNoAnswers = {true};
    Run(&D::OnRunUntilPc, {"5"});
    EXPECT_EQ(
        std::tuple(Boxes(), machine().PC, machine().Halted),
        std::tuple(std::vector<std::string>{"Enter PC stop address:", AskAt(1000), AskAt(2000)}, 1, true));

    Load({"loop: addi r1 r1 1", "      sw r1 r0 0x40", "      j loop"});
    machine().Reset();
    // The addi that made R1 3 is done, the store not yet; R0 of "MR" reads 0 at once.
    Run(&D::OnRunUntilReg, {"1", "3"});
    Run(&D::OnRunUntilReg, {"0", "0"});
    EXPECT_EQ(std::tuple(machine().PC, machine().GetRegister(1)), std::tuple(1, 3));
    Run(&D::OnRunUntilMemory, {"0x40", "5"});
    EXPECT_EQ(std::tuple(machine().PC, machine().ReadMemory(0x40)), std::tuple(2, 5));
    // The stop test reads the absent word and so creates it.
    Run(&D::OnRunUntilMemory, {"0x50", "0"});
    EXPECT_EQ(std::tuple(machine().PC, machine().DataMemory().count(0x50), view.updates),
              std::tuple(2, 1u, 4));
}

TEST_F(Commands, ARefusedPromptChangesNothingAndRefreshesNothing) {
    const std::string pc = "Enter PC stop address:", reg = "Enter register num and stop value:",
                      mem = "Enter address and stop value:", area = "Enter memory address area:",
                      value = "Enter the new value:", badReg = "invalid register number",
                      number = "Invalid number", address = "Invalid address";
    // The texts are checked before the register number; fill memory asks both dialogs before any check.
    // clang-format off
    const std::vector<std::tuple<void (D::*)(), std::vector<std::string>, std::vector<std::string>>> refusals = {
        {&D::OnRunUntilPc, {"-1"}, {pc, address}},             {&D::OnRunUntilPc, {"one"}, {pc, number}},
        {&D::OnRunUntilReg, {"32", "5"}, {reg, badReg}},       {&D::OnRunUntilReg, {"-1", "5"}, {reg, badReg}},
        {&D::OnRunUntilReg, {"32", "x"}, {reg, number}},       {&D::OnRunUntilReg, {"r1", "x"}, {reg, number}},
        {&D::OnRunUntilMemory, {"-2", "0"}, {mem, address}},   {&D::OnRunUntilMemory, {"0x40", ""}, {mem, number}},
        {&D::OnFillMemory, {"zz", "-1", "x"}, {area, value, number}},
        {&D::OnFillMemory, {"0", "-1", "x"}, {area, value, number}},
        {&D::OnFillMemory, {"0", "-1", "1"}, {area, value, address}}};
    // clang-format on
    machine().JumpTo(9);
    for (const auto& [command, answers, boxes] : refusals) {
        Run(command, answers);
        EXPECT_EQ(Boxes(), boxes) << boxes.back();
    }
    // Typed numbers must hold digits and fit 32 bits.
    for (const char* text : {"", "-", "0x", "4294967296", "-2147483649", "0x123456789", "12abc", " 1"}) {
        Run(&D::OnJumpTo, {text});
        EXPECT_EQ(LastBox(), number) << '"' << text << '"';
    }
    EXPECT_EQ(std::tuple(machine().PC, view.updates, machine().DataMemory().size()), std::tuple(9, 0, 0u));
    for (const auto& [text, pc] :
         {std::pair{"0XdeadBEEF", int32_t(0xDEADBEEF)}, {"4294967295", -1}, {"-2147483648", INT32_MIN}}) {
        Run(&D::OnJumpTo, {text});
        EXPECT_EQ(machine().PC, pc) << text;
    }
}

TEST_F(Commands,
       RunNStepsNeverAsksJumpToClearsTheHaltedFlagFillMemoryWritesItsRangeAndASecondWindowClearsRegisters) {
    set.stepsUntilMsg = 1;
    machine().Halted = true;
    for (const char* count : {"0", "-5", "0x10"})
        Run(&D::OnRunSteps, {count});
    EXPECT_EQ(Boxes(), std::vector<std::string>(3, "Enter number of steps to run:"));
    document.OnRunSteps(); // cancelled: no refresh
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(16, 3));
    Run(&D::OnJumpTo, {"-3"});
    document.OnJumpTo(); // cancelled, yet refreshed
    document.OnStep();   // at an address without a program record only advances the PC
    EXPECT_EQ(std::tuple(machine().PC, machine().Halted, view.updates), std::tuple(-2, false, 6));

    // clang-format off
    for (const auto& answers : std::vector<std::vector<std::string>>{
             {"0x10", "0x0f", "7"}, {"0x10", "0x10", "-1"}, {"0x7FFFFFFE", "0x7FFFFFFF", "0x5"}, {"0", "3"}, {}})
        Run(&D::OnFillMemory, answers); // Cancel in either dialog refreshes and writes nothing.
    EXPECT_EQ(std::tuple(machine().DataMemory(), view.updates), std::tuple(Memory{{16, -1}, {0x7FFFFFFE, 5}, {0x7FFFFFFF, 5}}, 11));
    // clang-format on
    store->dataMemory.clear();
    Run(&D::OnFillMemory, {"0", "0x10000", "1"}); // one word more than 64k
    EXPECT_EQ(std::tuple(LastBox(), machine().DataMemory().size()),
              std::tuple("Cannot fill address space larger than 64k", 0u));
    Run(&D::OnFillMemory, {"0x10000", "0x1FFFF", "1"});
    EXPECT_EQ(machine().DataMemory().size(), 0x10000u);
    Load({"loop: addi r1 r1 1", "      j loop"});
    machine().JumpTo(0);
    Run(&D::OnRunSteps, {"7"});
    machine().Halted = true;
    document.OnReset();
    EXPECT_EQ(std::tuple(machine().PC, machine().Halted, machine().GetRegister(1)), std::tuple(0, false, 4));
    machine().JumpTo(1);
    document.OnResetRegisters();
    EXPECT_EQ(std::tuple(machine().GetRegister(1), machine().PC, view.updates), std::tuple(0, 1, 3));
    document.OnStep(); // j loop
    document.OnStep(); // R1 := 1
    machine().WriteMemory(0x30, 9);
    SimulatorDocument second(Environment(), prompter);
    EXPECT_EQ(std::tuple(machine().GetRegister(1), machine().PC, second.machine().ReadMemory(0x30)),
              std::tuple(0, 1, 9));
    // Without a program its step only advances the shared PC; it refreshes only its own views.
    second.OnStep();
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(2, 5));
}
