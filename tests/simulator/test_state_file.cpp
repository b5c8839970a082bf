// The .sim state file: its bytes, the rows it leaves out, its register labels, and saving.

#include "SimulatorFixture.h"
#include "simulator/SimulatorForm.h"
#include "simulator/StateFile.h"

#include <filesystem>

using namespace vorn::simulator;
using namespace vorn::simulator::testing;
using vorn::testing::ReadFile;

namespace {

class StateFile : public SimulatorTest {
  protected:
    StateFile() { form.OnInitialUpdate(); }

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
    texts.registers.fill("0x0");
    texts.registers[31] = "0xffffffff";
    texts.watchAddresses[0] = "0x20";
    texts.watchValues[0] = "0x37";

    std::string expected = "address\t\tvalue\t\tcommand\r\n"
                           "  0x0\t\t0x0\t\r\n  0x1\t\t0x1\t\r\n  0x2\t\t0x2\t\r\n  0x3\t\t0x3\t\r\n"
                           "  0x4\t\t0x4\thalt\r\n->0x5\t\t0x5\t\r\n  0x6\t\t0x6\t\r\n  0x7\t\t0x7\t\r\n"
                           "  0x8\t\t0x8\t\r\n  0x9\t\t0x9\t\r\n\r\nregisters:\r\n\r\n";
    for (int i = 0; i < 31; ++i)
        expected += "R" + std::to_string(i) + ":\t0x0\r\n";
    expected += "R31:\t0xffffffff\r\n\r\nmemory:\r\n\r\n0x20\t\t0x37\r\n";
    for (int i = 1; i < 15; ++i)
        expected += "\t\t\r\n";
    EXPECT_EQ(StateFileText(texts), expected);
}

TEST_F(StateFile, LeavesOutRowsOfNegativeAddressesLabelsRegistersRAndSavesThePictureShown) {
    // PC 0: rows 0 to 3 stand at negative addresses; the marker is on the address after the PC;
    // without watches the memory part is fifteen pairs of tabs.
    std::string text = StateFileText(form.texts());
    EXPECT_EQ(text.substr(0, text.find("registers")),
              "address\t\tvalue\t\tcommand\r\n  0x0\t\t0x0\t\r\n->0x1\t\t0x0\t\r\n  0x2\t\t0x0\t\r\n"
              "  0x3\t\t0x0\t\r\n  0x4\t\t0x0\t\r\n  0x5\t\t0x0\t\r\n\r\n");
    std::string watches;
    for (int i = 0; i < 15; ++i)
        watches += "\t\t\r\n";
    EXPECT_EQ(text.substr(text.find("memory:")), "memory:\r\n\r\n" + watches);

    AnswerOne("S");
    form.OnReplaceRegisterSet();
    ASSERT_EQ(Boxes(), std::vector<std::string>{"Enter reg set:"});
    machine().JumpTo(2);
    document.UpdateAllViews();
    text = StateFileText(form.texts());
    EXPECT_EQ(text.substr(0, text.find("  0x1")), "address\t\tvalue\t\tcommand\r\n  0x0\t\t0x0\t\r\n");
    EXPECT_NE(text.find("->0x3\t\t0x0\t\r\n  0x4"), std::string::npos);
    EXPECT_NE(text.find("\r\nR0:\t0x0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nR31:\t0x0\r\n"), std::string::npos);

    // The file holds the picture of the last refresh, not the machine, and replaces what was there.
    machine().SetRegister(3, 77);
    machine().WriteMemory(0, 5);
    const std::string path = folder.write("state.sim", "old contents that are longer than nothing");
    prompter.fileAnswers = {path, std::nullopt, folder.file("no-such-folder/state.sim")};
    for (int i = 0; i < 3; ++i)
        form.OnSaveState();
    EXPECT_EQ(ReadFile(path), text);
    const std::string filter = "simulator (*.sim);;All (*.*)";
    EXPECT_EQ(Boxes(), (std::vector<std::string>{filter, filter, filter,
                                                 "Cannot write the state file\n" +
                                                     folder.file("no-such-folder/state.sim")}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-such-folder")));
}
