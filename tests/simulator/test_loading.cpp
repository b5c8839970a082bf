// "Open COD...", "Open Source..." and "From Dump File...": what each loads, what it leaves
// alone, and what a refused file changes (nothing).

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

class Loading : public SimulatorTest {
  protected:
    void OpenDump(const std::string& text) { Open(&D::OnLoadDumpFile, "dump.txt", text); }
    bool Exists(const char* name) { return std::filesystem::exists(folder.file(name)); }
};

} // namespace

TEST_F(Loading, OpenCodLoadsCodeAndDataBlocksAndARefusedOrMissingFileChangesNothing) {
    const auto addi = static_cast<int32_t>(EncodeLine(set, {"addi", {1, 0, 5}}));
    const std::string word = vorn::text::Hex32Text(static_cast<uint32_t>(addi));
    prompter.fileAnswers = {folder.file("missing.cod"), folder.path().string()};
    document.OnOpenCod();
    document.OnOpenSource();
    // The block before the fault was read, yet nothing of it reaches the machine.
    Open(&D::OnOpenCod, "image.cod", ".CODE\n0x0\n0x1\n" + word + "\n.TEXT\n");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Code (*.cod);;All (*.*)", "Cannot open file",
                                                 "Source (*.s);;All (*.*)", "Cannot open file",
                                                 "Code (*.cod);;All (*.*)", "Invalid code file"}));
    EXPECT_EQ(std::tuple(machine().DataMemory().size(), machine().Program().size(), view.updates),
              std::tuple(0u, 0u, 0));
    Open(&D::OnOpenCod, "image.cod",
         ".CODE\r\n0x00000010\r\n0x00000001\r\n" + word +
             "\r\n.DATA\r\n0x00000011\r\n0x00000002\r\n0x0000002A\r\n0xFFFFFFFF\r\n.DS\r\n0X6 XML file "
             "date: " +
             kVersion);
    EXPECT_EQ(machine().DataMemory(), (Memory{{16, addi}, {17, 42}, {18, -1}}));
    ASSERT_EQ(machine().Program().size(), 3u);
    EXPECT_NE(machine().FindInstruction(16)->instruction, nullptr);
    EXPECT_EQ(machine().FindInstruction(17)->instruction, nullptr);
    // Loading leaves the PC where it was.
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(0, 1));
}

TEST_F(Loading,
       OpenSourceWritesTheErrorsAndLoadsNothingWhenTheAssemblyFailsButLoadsWhereItsFilesCannotBeWritten) {
    Open(&D::OnOpenSource, "faulty.s", "addi r1 r0 1\nfrob r1\nfrob r2\n");
    EXPECT_EQ(Boxes().back(), "Errors in program");
    EXPECT_EQ(ReadFile(folder.file("err.txt")),
              "ERROR ON LINE: 2. unknown command: frob\r\nERROR ON LINE: 3. unknown command: frob\r\n");
    EXPECT_EQ(std::tuple(machine().DataMemory().size(), view.updates, Exists("temp.cod"), Exists("temp.lst")),
              std::tuple(0u, 0, false, false));
    Load({"addi r1 r0 1"});
    EXPECT_EQ(ReadFile(folder.file("err.txt")), "");
    EXPECT_TRUE(Exists("temp.cod") && Exists("temp.lst"));
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

TEST_F(Loading, ADumpFileMustStartWithTheWordDumpAndWritesItsPairsAsFarAsTheyGo) {
    for (const char* text : {"dump\n0x1 0x2\n", "Dumps 0x1 0x2", ""})
        OpenDump(text);
    const std::vector<std::string> boxes = Boxes();
    EXPECT_EQ(std::tuple(boxes[0], boxes[5], std::count(boxes.begin(), boxes.end(), "Wrong file type"),
                         machine().DataMemory().size(), view.updates),
              std::tuple("Text (*.TXT *.txt);;All (*.*)", "Wrong file type", 3, 0u, 0));
    // Reading stops at the first pair that is not two numbers; a negative address is skipped.
    const std::vector<std::pair<std::string, Memory>> dumps = {
        {"Dump\r\n0x10  0x5\r\n0x11  0xa\r\n", {{16, 5}, {17, 10}}},
        {"  Dump 0x1 7 0x2\n", {{1, 7}, {16, 5}, {17, 10}}},
        {"Dump\n0xffffffff -4\n-2 1\n0x0 -4\nend of dump\n0x3 0x3\n", {{1, 7}, {0, -4}, {16, 5}, {17, 10}}},
        {"Dump\n0x4 zz\n0x5 0x5\n", {{1, 7}, {0, -4}, {16, 5}, {17, 10}}}};
    for (const auto& [text, memory] : dumps) {
        OpenDump(text);
        EXPECT_EQ(machine().DataMemory(), memory) << text;
    }
    EXPECT_EQ(std::tuple(view.updates, Boxes().size()), std::tuple(4, 4u)); // the file dialogs only
}
