// The form view's model: the Commands rows around the PC, the register texts of the current
// file, watches, the commit of edited fields, the memory dump range, the register set, and the
// state file the form saves.

#include "SimulatorFixture.h"
#include "simulator/SimulatorForm.h"
#include "simulator/StateFile.h"

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
            shownAfterBoxes = prompter.boxes.size();
        });
        form.setRead([this](FormTexts& texts) { texts = fields; });
        form.OnInitialUpdate();
        view.updates = 0;
    }
    // The user gives a field the focus, types (or only changes the text) and leaves it.
    void Type(int i, const std::string& text, bool watch = false, bool notified = true) {
        form.OnEditSetFocus();
        *(watch ? &fields.watchValues[i] : &fields.registers[i]) = text;
        if (notified) form.OnEditChange();
        watch ? form.OnWatchValueKillFocus(i) : form.OnRegisterKillFocus(i);
    }
    void AddWatch(std::optional<std::string> text) {
        AnswerOne(text);
        form.OnAddWatch();
    }
    void SetName(std::optional<std::string> name) {
        AnswerOne(name);
        form.OnReplaceRegisterSet();
    }

    std::string prefix = "R";
    SimulatorForm form{document, prompter, prefix};
    FormTexts fields;
    size_t shownAfterBoxes = 0; // how many boxes had been shown at the last refresh
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
    EXPECT_EQ(std::tuple(t.base, machine().DataMemory().count(7)), std::tuple(2, 1u));
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

TEST_F(Form, TypedRegistersReachTheCurrentFileWhenTheFieldIsLeftAndTheSetCanBeReplaced) {
    Type(5, "0x1F");
    Type(0, "5"); // R0 of "MR" stays 0
    EXPECT_EQ(std::tuple(machine().GetRegister(5), fields.registers[5], fields.registers[0]),
              std::tuple(31, "0x1f", "0x0"));
    // A bad text: the field shows the machine's value again before the box.
    Type(5, "abc");
    EXPECT_EQ(std::tuple(machine().GetRegister(5), fields.registers[5], shownAfterBoxes),
              std::tuple(31, "0x1f", 0u));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Invalid number"});
    // Leaving a field whose text changed without a change notification only refreshes; a commit
    // reads every field back but writes only its own register.
    Type(7, "0x99", false, false);
    fields.registers[1] = "7";
    Type(2, "-1");
    EXPECT_EQ(std::tuple(machine().GetRegister(7), machine().GetRegister(2), machine().GetRegister(1)),
              std::tuple(0, -1, 0));

    store->registerFiles[set.FindRegisterFile("MS")].cells[2] = 9;
    SetName("S");
    const auto shown = [&] {
        return std::tuple(prefix, form.labels()[0], form.labels()[31], fields.registers[2]);
    };
    EXPECT_EQ(shown(), std::tuple("S", "S0", "S31", "0x9"));
    Type(4, "-2");
    EXPECT_EQ(std::tuple(store->registerFiles[set.FindRegisterFile("MS")].cells[4],
                         store->registerFiles[0].cells[4]),
              std::tuple(-2, 0));
    Boxes();
    view.updates = 0;
    for (const char* name : {"r", "X", "", "SS"})
        SetName(name);
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{"Enter reg set:", "bad name", "Enter reg set:", "bad name",
                                        "Enter reg set:", "bad name", "Enter reg set:", "bad name"}));
    EXPECT_EQ(std::tuple(machine().CurrentRegisterFile, view.updates),
              std::tuple(set.FindRegisterFile("MS"), 0));
    // Cancel relabels from the current file and refreshes.
    prefix = "Q";
    SetName(std::nullopt);
    EXPECT_EQ(std::tuple(shown(), view.updates), std::tuple(std::tuple("S", "S0", "S31", "0x9"), 1));
    SetName("R");
    EXPECT_EQ(std::tuple(machine().CurrentRegisterFile, form.labels()[5]), std::tuple(0, "R5"));
}

TEST_F(Form, AtMostFifteenWatchesOfNonNegativeAddressesShowTheirWordsAndTakeEdits) {
    machine().WriteMemory(0x20, 55);
    AddWatch("0x20");
    AddWatch("33");
    Type(1, "-1", true);
    EXPECT_EQ((std::vector<std::string>{fields.watchAddresses[0], fields.watchValues[0],
                                        fields.watchAddresses[1], fields.watchValues[1]}),
              (std::vector<std::string>{"0x20", "0x37", "0x21", "0xffffffff"}));
    EXPECT_EQ(machine().ReadMemory(0x21), -1);
    Type(0, "0x", true);
    EXPECT_EQ(std::tuple(Boxes().back(), machine().ReadMemory(0x20), fields.watchValues[0]),
              std::tuple("Invalid number", 55, "0x37"));
    // A slot not in use takes nothing and gets its empty text back.
    Type(5, "0x12", true);
    EXPECT_EQ(std::tuple(fields.watchValues[5], Boxes().size()), std::tuple("", 0u));

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
    AddWatch(std::nullopt); // Cancel refreshes
    EXPECT_EQ(std::tuple(form.watchCount(), view.updates), std::tuple(0, 1));
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

TEST_F(Form, TheStateFileHoldsThePictureOfTheLastRefreshAndReplacesWhatWasThere) {
    // At PC 0 rows 0 to 3 stand at negative addresses and are left out.
    const std::string text = StateFileText(form.texts());
    EXPECT_EQ(text.substr(0, text.find("  0x2")),
              "address\t\tvalue\t\tcommand\r\n  0x0\t\t0x0\t\r\n->0x1\t\t0x0\t\r\n");
    machine().SetRegister(3, 77);
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
