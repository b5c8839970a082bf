// "Open COD...", "Open Source..." and "From Dump File...": what each loads, what it leaves
// alone, and what a refused file changes (nothing).

#include "SimulatorFixture.h"
#include "text/Text.h"

#include <filesystem>

using namespace vorn::simulator;
using namespace vorn::simulator::testing;
using vorn::testing::EncodeLine;
using vorn::testing::ReadFile;

namespace {

class Loading : public SimulatorTest {
  protected:
    std::string Word(const vorn::testing::Line& line) { return vorn::text::Hex32Text(EncodeLine(set, line)); }
    void OpenCod(const std::string& text) {
        prompter.fileAnswers.push_back(folder.write("image.cod", text));
        document.OnOpenCod();
    }
    void OpenDump(const std::string& text) {
        prompter.fileAnswers.push_back(folder.write("dump.txt", text));
        document.OnLoadDumpFile();
    }
    std::map<int32_t, int32_t> Memory() { return machine().DataMemory(); }
};

} // namespace

TEST_F(Loading, EachCommandOffersItsFilterAndReportsAFileThatDoesNotOpen) {
    document.OnOpenCod();
    document.OnOpenSource();
    document.OnLoadDumpFile();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Code (*.cod);;All (*.*)", "Source (*.s);;All (*.*)",
                                                 "Text (*.TXT *.txt);;All (*.*)"}));
    for (const std::string& path : {folder.file("missing.cod"), folder.path().string()}) {
        prompter.fileAnswers = {path, path};
        document.OnOpenCod();
        document.OnOpenSource();
        EXPECT_EQ(Boxes(), (std::vector<std::string>{"Code (*.cod);;All (*.*)", "Cannot open file",
                                                     "Source (*.s);;All (*.*)", "Cannot open file"}));
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("err.txt")));
    EXPECT_EQ(view.updates, 0);
}

TEST_F(Loading, OpenCodLoadsCodeAndDataBlocksAndARefusedFileChangesNothing) {
    // The block before the fault was read, yet nothing of it reaches the machine.
    const std::string addi = Word({"addi", {1, 0, 5}});
    OpenCod(".CODE\n0x0\n0x1\n" + addi + "\n.TEXT\n");
    EXPECT_EQ(Boxes().back(), "Invalid code file");
    EXPECT_EQ(std::tuple(Memory().size(), machine().Program().size(), view.updates), std::tuple(0u, 0u, 0));

    OpenCod(".CODE\r\n0x00000010\r\n0x00000001\r\n" + addi + "\r\n.DATA\r\n0x00000011\r\n0x00000002\r\n" +
            "0x0000002A\r\n0xFFFFFFFF\r\n.DS\r\n0X6 XML file date: " + kVersion);
    EXPECT_EQ(Memory(),
              (std::map<int32_t, int32_t>{
                  {16, static_cast<int32_t>(EncodeLine(set, {"addi", {1, 0, 5}}))}, {17, 42}, {18, -1}}));
    ASSERT_EQ(machine().Program().size(), 3u);
    EXPECT_NE(machine().FindInstruction(16)->instruction, nullptr);
    EXPECT_EQ(machine().FindInstruction(17)->instruction, nullptr);
    // Loading leaves the PC where it was.
    EXPECT_EQ(std::tuple(machine().PC, view.updates), std::tuple(0, 1));
}

TEST_F(Loading, OpenSourceWritesTheErrorsAndLoadsNothingWhenTheAssemblyFails) {
    const auto exists = [&](const char* name) { return std::filesystem::exists(folder.file(name)); };
    prompter.fileAnswers.push_back(folder.write("faulty.s", "addi r1 r0 1\nfrob r1\nfrob r2\n"));
    document.OnOpenSource();
    EXPECT_EQ(Boxes().back(), "Errors in program");
    EXPECT_EQ(ReadFile(folder.file("err.txt")),
              "ERROR ON LINE: 2. unknown command: frob\r\nERROR ON LINE: 3. unknown command: frob\r\n");
    EXPECT_EQ(std::tuple(Memory().size(), view.updates, exists("temp.cod"), exists("temp.lst")),
              std::tuple(0u, 0, false, false));
    Load({"addi r1 r0 1"});
    EXPECT_EQ(ReadFile(folder.file("err.txt")), "");
    EXPECT_TRUE(exists("temp.cod") && exists("temp.lst"));
}

TEST_F(Loading, OpenSourceLoadsWhereItsFilesCannotBeWrittenAndShowsErrorsThatErrTxtCannotKeep) {
    for (const char* name : {"temp.lst", "err.txt"})
        std::filesystem::create_directory(folder.path() / name);
    Load({"addi r1 r0 1"});
    EXPECT_EQ(Memory().size(), 1u);

    prompter.fileAnswers.push_back(folder.write("faulty.s", "frob r1\n"));
    document.OnOpenSource();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Source (*.s);;All (*.*)",
                                                 "Cannot write " + folder.file("err.txt") +
                                                     "\nERROR ON LINE: 1. unknown command: frob",
                                                 "Errors in program"}));
}

TEST_F(Loading, ADumpFileWritesItsPairsAsFarAsTheyGo) {
    // Reading stops at the first pair that is not two numbers; a negative address is skipped.
    const std::vector<std::pair<std::string, std::map<int32_t, int32_t>>> dumps = {
        {"Dump\r\n0x10  0x5\r\n0x11  0xa\r\n", {{16, 5}, {17, 10}}},
        {"  Dump 0x1 7 0x2\n", {{1, 7}, {16, 5}, {17, 10}}},
        {"Dump", {{1, 7}, {16, 5}, {17, 10}}},
        {"Dump\n0xffffffff -4\n-2 1\n0x0 -4\nend of dump\n0x3 0x3\n", {{1, 7}, {0, -4}, {16, 5}, {17, 10}}},
        {"Dump\n0x4 zz\n0x5 0x5\n", {{1, 7}, {0, -4}, {16, 5}, {17, 10}}}};
    for (const auto& [text, memory] : dumps) {
        OpenDump(text);
        EXPECT_EQ(Memory(), memory) << text;
    }
    EXPECT_EQ(view.updates, 5);
    EXPECT_EQ(Boxes().size(), 5u); // the file dialogs only
}

TEST_F(Loading, ADumpFileMustStartWithTheWordDump) {
    for (const std::string& text : {std::string("dump\n0x1 0x2\n"), std::string("Dump:\n0x1 0x2\n"),
                                    std::string("Dumps 0x1 0x2"), std::string("")}) {
        OpenDump(text);
        EXPECT_EQ(Boxes().back(), "Wrong file type") << text;
    }
    prompter.fileAnswers.push_back(folder.file("missing.txt"));
    document.OnLoadDumpFile();
    EXPECT_EQ(Boxes().back(), "Wrong file type");
    EXPECT_TRUE(Memory().empty());
    EXPECT_EQ(view.updates, 0);
}
