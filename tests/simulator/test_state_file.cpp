// The .sim state file: its bytes, the rows it leaves out, its register labels, and saving.

#include "SimulatorFixture.h"
#include "simulator/SimulatorForm.h"
#include "simulator/StateFile.h"

#include <filesystem>

using namespace vorn::simulator;
using namespace vorn::simulator::testing;
using vorn::testing::ReadFile;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text does not end with CR LF";
    return lines;
}

class StateFile : public SimulatorTest {
  protected:
    StateFile() { form.OnInitialUpdate(); }
    std::vector<std::string> FileLines() { return Lines(StateFileText(form.texts())); }

    std::string prefix = "R";
    SimulatorForm form{document, prompter, prefix};
};

} // namespace

TEST(StateFileText, HoldsTheRowsRegistersAndWatchesInOrder) {
    FormTexts texts;
    texts.base = 4;
    for (int r = 0; r < 10; ++r)
        texts.values[r] = "0x" + std::to_string(r);
    texts.commands[4] = "halt";
    for (int i = 0; i < 32; ++i)
        texts.registers[i] = "0x0";
    texts.registers[31] = "0xffffffff";
    texts.watchAddresses[0] = "0x20";
    texts.watchValues[0] = "0x37";

    std::string expected = "address\t\tvalue\t\tcommand\r\n"
                           "  0x0\t\t0x0\t\r\n"
                           "  0x1\t\t0x1\t\r\n"
                           "  0x2\t\t0x2\t\r\n"
                           "  0x3\t\t0x3\t\r\n"
                           "  0x4\t\t0x4\thalt\r\n"
                           "->0x5\t\t0x5\t\r\n"
                           "  0x6\t\t0x6\t\r\n"
                           "  0x7\t\t0x7\t\r\n"
                           "  0x8\t\t0x8\t\r\n"
                           "  0x9\t\t0x9\t\r\n"
                           "\r\nregisters:\r\n\r\n";
    for (int i = 0; i < 31; ++i)
        expected += "R" + std::to_string(i) + ":\t0x0\r\n";
    expected += "R31:\t0xffffffff\r\n\r\nmemory:\r\n\r\n0x20\t\t0x37\r\n";
    for (int i = 1; i < 15; ++i)
        expected += "\t\t\r\n";
    EXPECT_EQ(StateFileText(texts), expected);
}

TEST_F(StateFile, LeavesOutRowsOfNegativeAddressesAndLabelsRegistersR) {
    // PC 0: rows 0 to 3 stand at negative addresses; the marker is on the address after the PC.
    std::vector<std::string> lines = FileLines();
    ASSERT_EQ(lines.size(), 1u + 6 + 3 + 32 + 3 + 15);
    EXPECT_EQ(lines[1].substr(0, 7), "  0x0\t\t");
    EXPECT_EQ(lines[2].substr(0, 7), "->0x1\t\t");
    EXPECT_EQ(lines[6].substr(0, 7), "  0x5\t\t");
    // Without watches the memory part is fifteen pairs of tabs.
    EXPECT_EQ(lines[lines.size() - 17], "memory:");
    EXPECT_EQ(lines.back(), "\t\t");

    AnswerOne("S");
    form.OnReplaceRegisterSet();
    ASSERT_EQ(form.labels()[0], "S0");
    machine().JumpTo(2);
    document.UpdateAllViews();
    lines = FileLines();
    ASSERT_EQ(lines.size(), 1u + 8 + 3 + 32 + 3 + 15);
    EXPECT_EQ(lines[4].substr(0, 7), "->0x3\t\t");
    EXPECT_EQ(lines[1 + 8 + 3], "R0:\t0x0");
    EXPECT_EQ(lines[1 + 8 + 3 + 31], "R31:\t0x0");

    // The file holds the picture of the last refresh, not the machine.
    const std::string before = StateFileText(form.texts());
    machine().SetRegister(3, 77);
    machine().WriteMemory(0, 5);
    EXPECT_EQ(StateFileText(form.texts()), before);
}

TEST_F(StateFile, SaveStateWritesTheChosenFileAndReportsOneThatCannotBeWritten) {
    const std::string path = folder.file("state.sim");
    folder.write("state.sim", "old contents that are longer than nothing");
    prompter.fileAnswers.push_back(path);
    form.OnSaveState();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"simulator (*.sim);;All (*.*)"});
    EXPECT_EQ(ReadFile(path), StateFileText(form.texts()));

    form.OnSaveState(); // cancelled
    EXPECT_EQ(Boxes().size(), 1u);

    prompter.fileAnswers.push_back(folder.file("no-such-folder/state.sim"));
    form.OnSaveState();
    EXPECT_EQ(Boxes().back(), "Cannot write the state file\n" + folder.file("no-such-folder/state.sim"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-such-folder")));
}
