// "Open COD...", "Open Source..." and "From Dump File...": what each loads, what it leaves
// alone, and what a refused file changes (nothing).

#include "SimulatorFixture.h"
#include "assembler/Compiler.h"
#include "text/Text.h"

#include <filesystem>
#include <sstream>

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

TEST_F(Loading, EachCommandOffersItsFilter) {
    document.OnOpenCod();
    document.OnOpenSource();
    document.OnLoadDumpFile();
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Code (*.cod);;All (*.*)", "Source (*.s);;All (*.*)",
                                                 "Text (*.TXT *.txt);;All (*.*)"}));
    EXPECT_EQ(view.updates, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("err.txt")));
}

TEST_F(Loading, OpenCodLoadsCodeAndDataBlocks) {
    const std::string addi = Word({"addi", {1, 0, 5}});
    OpenCod(".CODE\r\n0x00000010\r\n0x00000001\r\n" + addi +
            "\r\n.DATA\r\n0x00000011\r\n0x00000002\r\n"
            "0x0000002A\r\n0xFFFFFFFF\r\n.DS\r\n0X6 XML file date: " +
            kVersion);
    EXPECT_EQ(Memory(),
              (std::map<int32_t, int32_t>{
                  {16, static_cast<int32_t>(EncodeLine(set, {"addi", {1, 0, 5}}))}, {17, 42}, {18, -1}}));
    ASSERT_EQ(machine().Program().size(), 3u);
    EXPECT_NE(machine().FindInstruction(16)->instruction, nullptr);
    EXPECT_EQ(machine().FindInstruction(17)->instruction, nullptr);
    EXPECT_EQ(view.updates, 1);
    // Loading leaves the PC where it was.
    EXPECT_EQ(machine().PC, 0);
}

TEST_F(Loading, ARefusedCodFileChangesNothing) {
    // The block before the fault was read, yet nothing of it reaches the machine.
    OpenCod(".CODE\n0x0\n0x1\n" + Word({"addi", {1, 0, 5}}) + "\n.TEXT\n");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Code (*.cod);;All (*.*)", "Invalid code file"}));
    EXPECT_TRUE(Memory().empty());
    EXPECT_TRUE(machine().Program().empty());
    EXPECT_EQ(view.updates, 0);
}

TEST_F(Loading, AFileThatDoesNotOpenIsReported) {
    for (const std::string& path : {folder.file("missing.cod"), folder.path().string()}) {
        prompter.fileAnswers.push_back(path);
        document.OnOpenCod();
        EXPECT_EQ(Boxes().back(), "Cannot open file") << path;
        prompter.fileAnswers.push_back(path);
        document.OnOpenSource();
        EXPECT_EQ(Boxes().back(), "Cannot open file") << path;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("err.txt")));
    EXPECT_EQ(view.updates, 0);
}

TEST_F(Loading, ASecondImageReplacesOnlyTheAddressesItNames) {
    Load({"addi r1 r0 1", "addi r2 r0 2", "addi r3 r0 3"});
    Load({"pc=0x1", "addi r4 r0 4", "dc 0x77"});
    EXPECT_EQ(Memory().at(0), static_cast<int32_t>(EncodeLine(set, {"addi", {1, 0, 1}})));
    EXPECT_EQ(Memory().at(1), static_cast<int32_t>(EncodeLine(set, {"addi", {4, 0, 4}})));
    EXPECT_EQ(Memory().at(2), 0x77);
    EXPECT_NE(machine().FindInstruction(0)->instruction, nullptr);
    EXPECT_EQ(machine().FindInstruction(2)->instruction, nullptr); // now a data word
    machine().JumpTo(0);
    for (int i = 0; i < 3; ++i)
        document.OnStep();
    EXPECT_EQ(machine().GetRegister(1), 1);
    EXPECT_EQ(machine().GetRegister(4), 4);
    EXPECT_EQ(machine().GetRegister(3), 0);
}

TEST_F(Loading, OpenSourceWritesTheErrorsAndLoadsNothingWhenTheAssemblyFails) {
    const std::vector<std::string> faulty = {"addi r1 r0 1", "frob r1", "j nowhere"};
    vorn::assembler::Compiler reference(set, folder.file("reference"), kVersion);
    reference.Compile(faulty);
    ASSERT_GE(reference.ErrorList().size(), 2u);
    std::string expected;
    for (const std::string& error : reference.ErrorList())
        expected += error + "\r\n";

    std::string source;
    for (const std::string& line : faulty)
        source += line + "\n";
    prompter.fileAnswers.push_back(folder.write("faulty.s", source));
    document.OnOpenSource();
    EXPECT_EQ(Boxes().back(), "Errors in program");
    EXPECT_EQ(ReadFile(folder.file("err.txt")), expected);
    EXPECT_TRUE(Memory().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("temp.cod")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("temp.lst")));
    EXPECT_EQ(view.updates, 0);

    Load({"addi r1 r0 1"});
    EXPECT_EQ(ReadFile(folder.file("err.txt")), "");
    EXPECT_TRUE(std::filesystem::exists(folder.file("temp.cod")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("temp.lst")));
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

TEST_F(Loading, TheImageThatOpenSourceWroteOpensAsCodeElsewhere) {
    prompter.fileAnswers.push_back(std::string(VORN_SOURCE_DIR) + "/lab/examples/loop.s");
    document.OnOpenSource();
    ASSERT_EQ(Boxes().size(), 1u);

    auto otherStore = std::make_shared<vorn::isa::MachineStore>(set);
    vorn::testing::TempDir otherFolder;
    SimulatorDocument other({set, otherStore, kVersion, "VORN", otherFolder.path()}, prompter);
    prompter.fileAnswers.push_back(folder.file("temp.cod"));
    other.OnOpenCod();
    EXPECT_EQ(other.machine().DataMemory(), machine().DataMemory());
    other.OnRunUntilHalt();
    EXPECT_EQ(other.machine().GetRegister(2), 55);
    EXPECT_EQ(other.machine().ReadMemory(0x20), 55);
}

TEST_F(Loading, ADumpFileWritesItsPairsAsFarAsTheyGo) {
    // Reading stops at the first pair that is not two numbers; a negative address is skipped.
    const std::vector<std::pair<std::string, std::map<int32_t, int32_t>>> dumps = {
        {"Dump\r\n0x10  0x5\r\n0x11  0xa\r\n", {{16, 5}, {17, 10}}},
        {"  Dump 0x1 7 0x2\n", {{1, 7}, {16, 5}, {17, 10}}},
        {"Dump", {{1, 7}, {16, 5}, {17, 10}}},
        {"Dump\n0xffffffff -4\n-2 1\n0x2 -4\nend of dump\n0x3 0x3\n", {{1, 7}, {2, -4}, {16, 5}, {17, 10}}},
        {"Dump\n0x4 zz\n0x5 0x5\n", {{1, 7}, {2, -4}, {16, 5}, {17, 10}}}};
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
