// The form view's model: the Commands rows around the PC, the register texts of the current
// file, watches, the commit of edited fields, the memory dump range, the register set, the
// bytes of the state file it saves and the page it prints.

#include "RecordingCanvas.h"
#include "SimulatorFixture.h"
#include "simulator/SimulatorForm.h"
#include "simulator/StateFile.h"
#include "simulator/StatePrinting.h"

#include <filesystem>

using namespace vorn::simulator;
using namespace vorn::simulator::testing;
using vorn::testing::ReadFile;
using namespace vorn;
using vorn::testing::CanvasOperation;

namespace {

FormTexts Picture() {
    FormTexts texts;
    texts.base = 4;
    for (int r = 0; r < 10; ++r)
        texts.values[r] = "0x" + std::to_string(r);
    texts.commands[4] = "halt";
    texts.registers.fill("0x0");
    texts.registers[31] = "0xffffffff";
    texts.watchAddresses[0] = "0x20";
    texts.watchValues[0] = "0x37";
    return texts;
}

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
    for (const auto& [r, address, value, command] : rows)
        EXPECT_EQ(std::tuple(t.AddressText(r), value == "?" ? value : t.values[r], t.commands[r]),
                  std::tuple(address, value, command));
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
    EXPECT_EQ(std::tuple(LastBox(), machine().CurrentRegisterFile, view.updates),
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
    EXPECT_EQ(std::tuple(fields.watchAddresses[0], fields.watchValues[0], fields.watchValues[5], LastBox()),
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

TEST_F(Form, TheMemoryDumpRangeIsCheckedAndBoundedAndTheStateFileHoldsThePictureOfTheLastRefresh) {
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
        EXPECT_EQ(std::tuple(dumped, LastBox()), std::tuple(range, box)) << min << " " << max;
    }
    EXPECT_EQ(std::tuple(form.OnMemoryDump(), view.updates), std::tuple(std::nullopt, 0)); // cancelled
    const std::string text = StateFileText(form.texts());
    machine().SetRegister(3, 77);
    const std::string path = folder.write("state.sim", "old contents that are longer than nothing");
    const std::string nowhere = folder.file("no-such-folder/state.sim"),
                      filter = "simulator (*.sim);;All (*.*)";
    prompter.fileAnswers = {path, std::nullopt, nowhere};
    for (int i = 0; i < 3; ++i)
        form.OnSaveState();
    EXPECT_EQ(ReadFile(path), text);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{area, filter, filter, filter,
                                                 "Cannot write the state file\n" + nowhere}));
    EXPECT_FALSE(std::filesystem::exists(folder.file("no-such-folder")));
}

TEST(StatePicture, TheFileHoldsTheRowsRegistersAndWatchesInOrderAndThePageFramesThemWhereItsSizeSays) {
    std::string expected = "address\t\tvalue\t\tcommand\r\n"
                           "  0x0\t\t0x0\t\r\n  0x1\t\t0x1\t\r\n  0x2\t\t0x2\t\r\n  0x3\t\t0x3\t\r\n"
                           "  0x4\t\t0x4\thalt\r\n->0x5\t\t0x5\t\r\n  0x6\t\t0x6\t\r\n  0x7\t\t0x7\t\r\n"
                           "  0x8\t\t0x8\t\r\n  0x9\t\t0x9\t\r\n\r\nregisters:\r\n\r\n";
    for (int i = 0; i < 31; ++i)
        expected += "R" + std::to_string(i) + ":\t0x0\r\n";
    expected += "R31:\t0xffffffff\r\n\r\nmemory:\r\n\r\n0x20\t\t0x37\r\n";
    for (int i = 1; i < 15; ++i)
        expected += "\t\t\r\n";
    EXPECT_EQ(StateFileText(Picture()), expected);

    // 209 by 263 millimetres is a page of 8.22 by 10.35 inches: W 822, H 1035.
    vorn::testing::RecordingCanvas canvas;
    canvas.sizeMm = {209, 263};
    PrintState(Picture(), canvas);
    // Fourteen grey lines: three boxes, the top edges of two with a gap for the title.
    std::vector<std::vector<Point>> lines;
    for (const CanvasOperation& line : canvas.lines())
        lines.push_back(line.points);
    // clang-format off
    EXPECT_EQ(lines, (std::vector<std::vector<Point>>{
        {{30, -30}, {35, -30}},    {{45, -30}, {396, -30}},   {{30, -30}, {30, -675}},   {{30, -675}, {396, -675}},
        {{396, -30}, {396, -675}}, {{426, -30}, {431, -30}},  {{441, -30}, {792, -30}},  {{426, -30}, {426, -675}},
        {{426, -675}, {792, -675}}, {{792, -30}, {792, -675}}, {{30, -705}, {792, -705}}, {{792, -705}, {792, -1005}},
        {{30, -705}, {30, -1005}}, {{792, -1005}, {30, -1005}}}));
    // clang-format on
    EXPECT_EQ(std::tuple(canvas.lines().at(1).state.pen, canvas.lines().at(13).state.mappingMode),
              std::tuple(Pen{{200, 200, 200}, 1}, MappingMode::LoEnglish));
    // Registers in two columns of sixteen; the marker on the address after the PC; empty
    // commands and the unused watch slots are printed with empty texts.
    std::vector<Point> at;
    for (const char* text : {"  Memory Watch", "R15\t\t0x0", "R16\t\t0x0", "->0x5", "halt", "0x37"})
        at.push_back(canvas.textsOf(text).at(0).at);
    EXPECT_EQ(
        at, (std::vector<Point>{{33, -699}, {441, -615}, {609, -60}, {45, -384}, {279, -330}, {136, -735}}));
    EXPECT_EQ(canvas.textsOf("halt").at(0).state.font, (Font{"Arial", 12, 0}));
    const std::vector<CanvasOperation> empties = canvas.textsOf("");
    EXPECT_EQ(std::tuple(canvas.texts().size(), empties.size(), empties.at(0).at, empties.at(9 + 28 - 1).at),
              std::tuple(98u, 9u + 28, Point{279, -114}, Point{45 + 7 * 91, -735 - 4 * 51}));
    EXPECT_EQ(std::tuple(canvas.state.pen, canvas.state.font), std::tuple(Pen{kBlack, 1}, kDefaultFont));
}
