// The form view's model: the Commands rows around the PC, the register texts of the current
// file, watches, the commit of edited fields, the memory dump range, the register set, and the
// state file the form saves.

#include "SimulatorFixture.h"
#include "simulator/SimulatorForm.h"
#include "simulator/StateFile.h"
#include "simulator/TypedNumber.h"

#include <filesystem>

using namespace vorn::simulator;
using namespace vorn::simulator::testing;
using vorn::testing::ReadFile;

namespace {

class Form : public SimulatorTest {
  protected:
    Form() {
        // The fields take every text of a refresh and give back what the user typed.
        form.setShow([this] {
            fields = form.texts();
            shownAfterBoxes.push_back(prompter.boxes.size());
        });
        form.setRead([this](FormTexts& texts) { texts = fields; });
        form.OnInitialUpdate();
        view.updates = 0;
        shownAfterBoxes.clear();
    }
    // The user gives a field the focus, types and leaves it.
    void Type(std::string& field, const std::string& text, void (SimulatorForm::*leave)(int), int i) {
        form.OnEditSetFocus();
        field = text;
        form.OnEditChange();
        (form.*leave)(i);
    }
    void TypeRegister(int i, const std::string& text) {
        Type(fields.registers[i], text, &SimulatorForm::OnRegisterKillFocus, i);
    }
    void TypeWatch(int i, const std::string& text) {
        Type(fields.watchValues[i], text, &SimulatorForm::OnWatchValueKillFocus, i);
    }
    void AddWatch(std::optional<std::string> text) {
        AnswerOne(text);
        form.OnAddWatch();
    }

    std::string prefix = "R";
    SimulatorForm form{document, prompter, prefix};
    FormTexts fields;
    std::vector<size_t> shownAfterBoxes; // how many boxes had been shown at each refresh
};

} // namespace

TEST_F(Form, TheCommandsWindowShowsTenWordsAroundThePcWithTheDisassemblyOfTheLoad) {
    Load({"start: addi r1 r0 5", "j start", "dc 0x2a", "halt"});
    AnswerTwo("0", "0");
    AnswerOne("0xFFFFFFFF");
    document.OnFillMemory();
    machine().JumpTo(2);
    document.UpdateAllViews();
    const FormTexts& t = form.texts();
    EXPECT_EQ(t.base, 2);
    // Rows 0 and 1 stand at negative addresses ("?": a word not looked at). Changed memory keeps its old
    // disassembly, a branch shows where it continues, a data word shows none, and memory past the program is
    // read (and so created) as 0.
    // clang-format off
    const std::vector<std::tuple<int, std::string, std::string, std::string>> rows = {
        {0, "", "", ""}, {1, "", "", ""}, {2, "0x0", "0xffffffff", "addi R1 R0 0x0005"}, {3, "0x1", "?", "j 0x0000"},
        {4, "0x2", "0x2a", ""}, {5, "0x3", "?", "halt"}, {6, "0x4", "0x0", ""}, {9, "0x7", "0x0", ""}};
    // clang-format on
    for (const auto& [r, address, value, command] : rows) {
        EXPECT_EQ(t.AddressText(r), address) << r;
        EXPECT_TRUE(value == "?" || t.values[r] == value) << r << ": " << t.values[r];
        EXPECT_EQ(t.commands[r], command) << r;
    }
    EXPECT_EQ(machine().DataMemory().count(7), 1u);
}

TEST_F(Form, RowsPastTheLargestAddressShowEmptyRows) {
    // Rows past the largest address would wrap to negative ones: they stay empty.
    machine().JumpTo(0x7FFFFFFF);
    document.UpdateAllViews();
    EXPECT_EQ(std::tuple(form.texts().AddressText(4), form.texts().AddressText(5)),
              std::tuple("0x7fffffff", ""));
    // Nor do rows below 0x80000000 wrap round to the top: they are not shown, read or saved.
    const size_t words = machine().DataMemory().size();
    AnswerOne("0x80000000");
    document.OnJumpTo();
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(form.texts().AddressText(r), "") << r;
    EXPECT_EQ(machine().DataMemory().size(), words);
    EXPECT_EQ(StateFileText(form.texts()).find("0x7f"), std::string::npos);
}

TEST_F(Form, ATypedRegisterReachesTheCurrentFileWhenTheFieldIsLeft) {
    EXPECT_EQ(form.labels()[31], "R31");
    TypeRegister(5, "0x1F");
    TypeRegister(3, "-1");
    TypeRegister(0, "5"); // R0 of "MR" stays 0
    EXPECT_EQ(
        std::tuple(machine().GetRegister(5), fields.registers[5], fields.registers[3], fields.registers[0]),
        std::tuple(31, "0x1f", "0xffffffff", "0x0"));
    EXPECT_TRUE(Boxes().empty());
    // A bad text: the field shows the machine's value again before the box.
    TypeRegister(5, "abc");
    EXPECT_EQ(std::tuple(machine().GetRegister(5), fields.registers[5]), std::tuple(31, "0x1f"));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Invalid number"});
    EXPECT_EQ(shownAfterBoxes.back(), 0u);

    // Leaving a field whose text changed without a change notification only refreshes.
    form.OnEditSetFocus();
    fields.registers[7] = "0x99";
    form.OnRegisterKillFocus(7);
    EXPECT_EQ(std::tuple(machine().GetRegister(7), fields.registers[7]), std::tuple(0, "0x0"));
    // A commit reads every field back but writes only its own register.
    fields.registers[1] = "7";
    TypeRegister(2, "8");
    EXPECT_EQ(std::tuple(machine().GetRegister(2), machine().GetRegister(1), fields.registers[1]),
              std::tuple(8, 0, "0x0"));

    AnswerOne("S");
    form.OnReplaceRegisterSet();
    TypeRegister(4, "-2");
    EXPECT_EQ(std::tuple(store->registerFiles[set.FindRegisterFile("MS")].cells[4],
                         store->registerFiles[0].cells[4]),
              std::tuple(-2, 0));
}

TEST_F(Form, AtMostFifteenWatchesOfNonNegativeAddressesShowTheirWordsAndTakeEdits) {
    machine().WriteMemory(0x20, 55);
    AddWatch("0x20");
    AddWatch("33");
    EXPECT_EQ((std::vector<std::string>{fields.watchAddresses[0], fields.watchValues[0],
                                        fields.watchAddresses[1], fields.watchValues[1]}),
              (std::vector<std::string>{"0x20", "0x37", "0x21", "0x0"}));
    TypeWatch(1, "-1");
    EXPECT_EQ(std::tuple(machine().ReadMemory(0x21), fields.watchValues[1]), std::tuple(-1, "0xffffffff"));
    TypeWatch(0, "0x");
    EXPECT_EQ(Boxes().back(), "Invalid number");
    EXPECT_EQ(std::tuple(machine().ReadMemory(0x20), fields.watchValues[0]), std::tuple(55, "0x37"));
    // A slot not in use takes nothing and gets its empty text back.
    TypeWatch(5, "0x12");
    EXPECT_EQ(fields.watchValues[5], "");
    EXPECT_TRUE(Boxes().empty());

    for (int i = 0; i < 15; ++i)
        AddWatch("0x10"); // the same address may be watched more than once
    EXPECT_EQ(std::tuple(form.watchCount(), fields.watchAddresses[14]), std::tuple(15, "0x10"));
    form.OnRemoveWatches();
    EXPECT_EQ(std::tuple(fields.watchAddresses[14], fields.watchValues[0]), std::tuple("", ""));
    view.updates = 0;
    Boxes();
    AddWatch("-1");
    AddWatch("x1");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Enter memory address:", "Invalid address",
                                                 "Enter memory address:", "Invalid number"}));
    EXPECT_EQ(std::tuple(form.watchCount(), view.updates), std::tuple(0, 0));
    AddWatch(std::nullopt);
    EXPECT_EQ(view.updates, 1); // Cancel refreshes
}

TEST_F(Form, TheMemoryDumpRangeIsCheckedAndBounded) {
    const std::vector<std::tuple<std::string, std::string, std::optional<AddressRange>, std::string>> cases =
        {{"0", "0xFFFF", AddressRange{0, 0xFFFF}, ""},
         {"0", "0x10000", std::nullopt, "Cannot dump address space larger than 64k"},
         {"5", "4", AddressRange{5, 4}, ""},
         {"0", "-1", std::nullopt, "Invalid address"},
         {"0x7FFFFFFF", "0", AddressRange{0x7FFFFFFF, 0}, ""},
         {"", "4", std::nullopt, "Invalid number"}};
    for (const auto& [min, max, range, box] : cases) {
        AnswerTwo(min, max);
        EXPECT_EQ(form.OnMemoryDump(), range) << min << " " << max;
        EXPECT_EQ(Boxes().back(), box.empty() ? "Enter memory address area:" : box);
    }
    EXPECT_EQ(form.OnMemoryDump(), std::nullopt); // cancelled
    EXPECT_EQ(view.updates, 0);
}

TEST_F(Form, ReplaceRegisterSetRelabelsAndShowsTheOtherFileAndAnUnknownSetKeepsEverything) {
    store->registerFiles[set.FindRegisterFile("MS")].cells[2] = 9;
    AnswerOne("S");
    form.OnReplaceRegisterSet();
    const auto shown = [&] {
        return std::tuple(prefix, form.labels()[0], form.labels()[31], fields.registers[2]);
    };
    EXPECT_EQ(shown(), std::tuple("S", "S0", "S31", "0x9"));
    for (const char* name : {"r", "X", "", "SS"}) {
        AnswerOne(name);
        form.OnReplaceRegisterSet();
        EXPECT_EQ(Boxes().back(), "bad name") << name;
    }
    EXPECT_EQ(std::tuple(machine().CurrentRegisterFile, view.updates),
              std::tuple(set.FindRegisterFile("MS"), 1));
    // Cancel relabels from the current file and refreshes.
    prefix = "Q";
    form.OnReplaceRegisterSet();
    EXPECT_EQ(shown(), std::tuple("S", "S0", "S31", "0x9"));
    EXPECT_EQ(view.updates, 2);
    AnswerOne("R");
    form.OnReplaceRegisterSet();
    EXPECT_EQ(std::tuple(machine().CurrentRegisterFile, form.labels()[5]), std::tuple(0, "R5"));
}

TEST_F(Form, TheStateFileLeavesOutNegativeAddressesLabelsRegistersRAndHoldsThePictureShown) {
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
