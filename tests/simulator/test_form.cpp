// The form view's model: the Commands rows around the PC, the register texts of the current
// file, watches, the commit of edited fields, the memory dump range and the register set.

#include "SimulatorFixture.h"
#include "simulator/SimulatorForm.h"
#include "simulator/StateFile.h"
#include "simulator/TypedNumber.h"

using namespace vorn::simulator;
using namespace vorn::simulator::testing;

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
    void TypeRegister(int i, const std::string& text) {
        form.OnEditSetFocus();
        fields.registers[i] = text;
        form.OnEditChange();
        form.OnRegisterKillFocus(i);
    }
    void TypeWatch(int i, const std::string& text) {
        form.OnEditSetFocus();
        fields.watchValues[i] = text;
        form.OnEditChange();
        form.OnWatchValueKillFocus(i);
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

TEST_F(Form, TheCommandsWindowShowsTenWordsAroundThePc) {
    Load({"start: addi r1 r0 5", "j start", "dc 0x2a", "halt"});
    machine().JumpTo(2);
    document.UpdateAllViews();
    const FormTexts& t = form.texts();
    EXPECT_EQ(t.base, 2);
    for (int r : {0, 1}) {
        EXPECT_EQ(t.AddressText(r), "");
        EXPECT_EQ(t.values[r], "");
        EXPECT_EQ(t.commands[r], "");
    }
    EXPECT_EQ(t.AddressText(2), "0x0");
    EXPECT_EQ(t.AddressText(4), "0x2");
    EXPECT_EQ(t.commands[2], "addi R1 R0 0x0005");
    EXPECT_EQ(t.commands[3], "j 0x0000"); // a branch shows where it continues
    EXPECT_EQ(t.values[4], "0x2a");
    EXPECT_EQ(t.commands[4], ""); // a data word that was never executed
    EXPECT_EQ(t.commands[5], "halt");
    EXPECT_EQ(t.values[6], "0x0"); // past the program: memory read (and created) as 0
    EXPECT_EQ(t.commands[6], "");
    EXPECT_EQ(t.AddressText(9), "0x7");
    EXPECT_EQ(machine().DataMemory().count(7), 1u);
}

TEST_F(Form, ChangedMemoryShowsItsNewValueWithTheOldDisassembly) {
    Load({"addi r1 r0 5"});
    AnswerTwo("0", "0");
    AnswerOne("0xFFFFFFFF");
    document.OnFillMemory();
    EXPECT_EQ(form.texts().values[4], "0xffffffff");
    EXPECT_EQ(form.texts().commands[4], "addi R1 R0 0x0005");
}

TEST_F(Form, NegativeAddressesNearTheTopAndTheBottomShowEmptyRows) {
    AnswerOne("-3");
    document.OnJumpTo();
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(form.texts().AddressText(r), r < 7 ? "" : vorn::simulator::HexText(r - 7)) << r;
    // Rows past the largest address wrap to negative ones and stay empty too.
    machine().JumpTo(0x7FFFFFFF);
    document.UpdateAllViews();
    EXPECT_EQ(form.texts().AddressText(4), "0x7fffffff");
    EXPECT_EQ(form.texts().AddressText(5), "");
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
    EXPECT_EQ(machine().GetRegister(5), 31);
    EXPECT_EQ(fields.registers[5], "0x1f");
    TypeRegister(3, "-1");
    EXPECT_EQ(fields.registers[3], "0xffffffff");
    EXPECT_TRUE(Boxes().empty());

    TypeRegister(5, "abc");
    EXPECT_EQ(machine().GetRegister(5), 31);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Invalid number"});
    // The field showed the machine's value again before the box.
    EXPECT_EQ(fields.registers[5], "0x1f");
    EXPECT_EQ(shownAfterBoxes.back(), 0u);

    TypeRegister(0, "5");
    EXPECT_EQ(fields.registers[0], "0x0");
    EXPECT_EQ(machine().GetRegister(0), 0);

    // Leaving a field whose text changed without a change notification only refreshes.
    form.OnEditSetFocus();
    fields.registers[7] = "0x99";
    form.OnRegisterKillFocus(7);
    EXPECT_EQ(machine().GetRegister(7), 0);
    EXPECT_EQ(fields.registers[7], "0x0");
    // A commit reads every field back but writes only its own register.
    fields.registers[1] = "7";
    TypeRegister(2, "8");
    EXPECT_EQ(machine().GetRegister(2), 8);
    EXPECT_EQ(machine().GetRegister(1), 0);
    EXPECT_EQ(fields.registers[1], "0x0");

    AnswerOne("S");
    form.OnReplaceRegisterSet();
    TypeRegister(4, "-2");
    EXPECT_EQ(store->registerFiles[set.FindRegisterFile("MS")].cells[4], -2);
    EXPECT_EQ(store->registerFiles[0].cells[4], 0);
}

TEST_F(Form, WatchesShowTheirWordsAndTakeEdits) {
    machine().WriteMemory(0x20, 55);
    AddWatch("0x20");
    AddWatch("33");
    EXPECT_EQ(form.watchCount(), 2);
    EXPECT_EQ(fields.watchAddresses[0], "0x20");
    EXPECT_EQ(fields.watchValues[0], "0x37");
    EXPECT_EQ(fields.watchAddresses[1], "0x21");
    EXPECT_EQ(fields.watchValues[1], "0x0");

    TypeWatch(1, "-1");
    EXPECT_EQ(machine().ReadMemory(0x21), -1);
    EXPECT_EQ(fields.watchValues[1], "0xffffffff");

    TypeWatch(0, "0x");
    EXPECT_EQ(Boxes().back(), "Invalid number");
    EXPECT_EQ(machine().ReadMemory(0x20), 55);
    EXPECT_EQ(fields.watchValues[0], "0x37");

    // A slot not in use takes nothing and gets its empty text back.
    TypeWatch(5, "0x12");
    EXPECT_EQ(fields.watchValues[5], "");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Form, AtMostFifteenWatchesAndOnlyNonNegativeAddresses) {
    for (int i = 0; i < 15; ++i)
        AddWatch("0x10"); // the same address may be watched more than once
    AddWatch("0x11");
    EXPECT_EQ(form.watchCount(), 15);
    EXPECT_EQ(fields.watchAddresses[14], "0x10");
    EXPECT_EQ(view.updates, 16);

    form.OnRemoveWatches();
    EXPECT_EQ(fields.watchAddresses[14], "");
    EXPECT_EQ(fields.watchValues[0], "");
    AddWatch("-1");
    EXPECT_EQ(Boxes().back(), "Invalid address");
    EXPECT_EQ(form.watchCount(), 0);
    EXPECT_EQ(fields.watchAddresses[0], "");
    AddWatch("x1");
    EXPECT_EQ(Boxes().back(), "Invalid number");
    EXPECT_EQ(view.updates, 17);
    AddWatch(std::nullopt);
    EXPECT_EQ(view.updates, 18); // Cancel refreshes
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
        std::vector<std::string> boxes = Boxes();
        EXPECT_EQ(boxes.back(), box.empty() ? "Enter memory address area:" : box);
    }
    EXPECT_EQ(form.OnMemoryDump(), std::nullopt); // cancelled
    EXPECT_EQ(view.updates, 0);
}

TEST_F(Form, ReplaceRegisterSetRelabelsAndShowsTheOtherFileAndAnUnknownSetKeepsEverything) {
    store->registerFiles[set.FindRegisterFile("MS")].cells[2] = 9;
    AnswerOne("S");
    form.OnReplaceRegisterSet();
    EXPECT_EQ(prefix, "S");
    EXPECT_EQ(form.labels()[0], "S0");
    EXPECT_EQ(form.labels()[31], "S31");
    EXPECT_EQ(fields.registers[2], "0x9");
    EXPECT_EQ(view.updates, 1);

    for (const char* name : {"r", "X", "", "SS"}) {
        AnswerOne(name);
        form.OnReplaceRegisterSet();
        EXPECT_EQ(Boxes().back(), "bad name") << name;
    }
    EXPECT_EQ(machine().CurrentRegisterFile, set.FindRegisterFile("MS"));
    EXPECT_EQ(form.labels()[1], "S1");
    EXPECT_EQ(view.updates, 1);

    // Cancel relabels from the current file and refreshes.
    prefix = "Q";
    form.OnReplaceRegisterSet();
    EXPECT_EQ(prefix, "S");
    EXPECT_EQ(view.updates, 2);

    AnswerOne("R");
    form.OnReplaceRegisterSet();
    EXPECT_EQ(machine().CurrentRegisterFile, 0);
    EXPECT_EQ(form.labels()[5], "R5");
}
