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
    void Ask(void (SimulatorForm::*command)(), std::optional<std::string> answer) {
        AnswerOne(std::move(answer));
        (form.*command)();
    }

    std::string prefix = "R";
    SimulatorForm form{document, prompter, prefix};
    FormTexts fields;
    size_t shownAfterBoxes = 0; // how many boxes had been shown at the last refresh
};

} // namespace

TEST_F(Form, TheCommandsWindowShowsTenWordsAroundThePcWithTheDisassemblyOfTheLoadAndNoneBeyondTheAddresses) {
    Load({"start: addi r1 r0 5", "j start", "dc 0x2a", "halt"});
    Run(&D::OnFillMemory, {"0", "0", "0xFFFFFFFF"});
    Run(&D::OnJumpTo, {"2"});
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
    // Rows past the largest address would wrap to negative ones: they stay empty.
    Run(&D::OnJumpTo, {"0x7FFFFFFF"});
    EXPECT_EQ(std::tuple(t.AddressText(4), t.AddressText(5)), std::tuple("0x7fffffff", ""));
    // Nor do rows below 0x80000000 wrap round to the top: they are not shown, read or saved.
    const size_t words = machine().DataMemory().size();
    Run(&D::OnJumpTo, {"0x80000000"});
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(t.AddressText(r), "") << r;
    EXPECT_EQ(machine().DataMemory().size(), words);
    EXPECT_EQ(StateFileText(t).find("0x7f"), std::string::npos);
}

// Typing into fields and adding watches in their happy paths are the window tests' proof.
TEST_F(Form, FieldsLeftWithBadTextsKeepTheMachinesValuesAndOnlyTheirOwnValueIsWritten) {
    machine().SetRegister(5, 31);
    document.UpdateAllViews();
    // A bad text: the field shows the machine's value again before the box.
    Type(5, "abc");
    EXPECT_EQ(std::tuple(machine().GetRegister(5), fields.registers[5], shownAfterBoxes, Boxes()),
              std::tuple(31, "0x1f", 0u, std::vector<std::string>{"Invalid number"}));
    // Leaving a field whose text changed without a change notification only refreshes; a commit
    // reads every field back but writes only its own register, in the current file.
    Type(7, "0x99", false, false);
    fields.registers[1] = "7";
    Ask(&SimulatorForm::OnReplaceRegisterSet, "S");
    Type(2, "-1");
    EXPECT_EQ(std::tuple(machine().GetRegister(7), machine().GetRegister(1), store->registerFiles[0].cells[2],
                         store->registerFiles[set.FindRegisterFile("MS")].cells[2]),
              std::tuple(0, 0, 0, -1));
    // Bad set names keep the set without a refresh; Cancel relabels from the current file.
    view.updates = 0;
    for (const char* name : {"r", "X", "", "SS"})
        Ask(&SimulatorForm::OnReplaceRegisterSet, name);
    EXPECT_EQ(std::tuple(Boxes().back(), machine().CurrentRegisterFile, view.updates),
              std::tuple("bad name", set.FindRegisterFile("MS"), 0));
    prefix = "Q";
    Ask(&SimulatorForm::OnReplaceRegisterSet, std::nullopt);
    EXPECT_EQ(std::tuple(prefix, form.labels()[31], fields.registers[2], view.updates),
              std::tuple("S", "S31", "0xffffffff", 1));

    // Watches: a slot not in use takes nothing, a bad text changes nothing; at most fifteen, of
    // non-negative addresses, the same one more than once.
    Ask(&SimulatorForm::OnAddWatch, "33");
    Type(0, "0x", true);
    Type(5, "0x12", true);
    EXPECT_EQ(
        std::tuple(fields.watchAddresses[0], fields.watchValues[0], fields.watchValues[5], Boxes().back()),
        std::tuple("0x21", "0x0", "", "Invalid number"));
    for (int i = 0; i < 15; ++i)
        Ask(&SimulatorForm::OnAddWatch, "0x10");
    EXPECT_EQ(std::tuple(form.watchCount(), fields.watchAddresses[14]), std::tuple(15, "0x10"));
    form.OnRemoveWatches();
    Boxes();
    Ask(&SimulatorForm::OnAddWatch, "-1");
    Ask(&SimulatorForm::OnAddWatch, "x1");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Enter memory address:", "Invalid address",
                                                 "Enter memory address:", "Invalid number"}));
    EXPECT_EQ(std::tuple(form.watchCount(), fields.watchAddresses[0], view.updates), std::tuple(0, "", 20));
}

TEST_F(Form, TheMemoryDumpRangeIsCheckedAndBounded) {
    const std::string area = "Enter memory address area:";
    // clang-format off
    const std::vector<std::tuple<std::string, std::string, std::optional<AddressRange>, std::string>> cases = {
        {"0", "0xFFFF", AddressRange{0, 0xFFFF}, area}, {"0", "0x10000", {}, "Cannot dump address space larger than 64k"},
        {"5", "4", AddressRange{5, 4}, area},           {"0", "-1", {}, "Invalid address"},
        {"0x7FFFFFFF", "0", AddressRange{0x7FFFFFFF, 0}, area}, {"", "4", {}, "Invalid number"}};
    // clang-format on
    for (const auto& [min, max, range, box] : cases) {
        AnswerTwo(min, max);
        const std::optional<AddressRange> dumped = form.OnMemoryDump();
        EXPECT_EQ(std::tuple(dumped, Boxes().back()), std::tuple(range, box)) << min << " " << max;
    }
    EXPECT_EQ(std::tuple(form.OnMemoryDump(), view.updates), std::tuple(std::nullopt, 0)); // cancelled
}

TEST_F(Form, TheStateFileHoldsThePictureOfTheLastRefreshAndReplacesWhatWasThere) {
    // At PC 0 rows 0 to 3 stand at negative addresses and are left out.
    const std::string text = StateFileText(form.texts());
    EXPECT_EQ(text.substr(0, text.find("  0x2")),
              "address\t\tvalue\t\tcommand\r\n  0x0\t\t0x0\t\r\n->0x1\t\t0x0\t\r\n");
    machine().SetRegister(3, 77);
    const std::string path = folder.write("state.sim", "old contents that are longer than nothing");
    const std::string nowhere = folder.file("no-such-folder/state.sim"),
                      filter = "simulator (*.sim);;All (*.*)";
    prompter.fileAnswers = {path, std::nullopt, nowhere};
    for (int i = 0; i < 3; ++i)
        form.OnSaveState();
    EXPECT_EQ(ReadFile(path), text);
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{filter, filter, filter, "Cannot write the state file\n" + nowhere}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-such-folder")));
}
