#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "WaveformFixtures.h"
#include "waveform/GraphCommands.h"
#include "waveform/WaveformFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace vorn;
using namespace vorn::waveform;
using namespace vorn::waveform::testing;
using vorn::testing::ReadFile;
using vorn::testing::ScriptedPrompter;
using vorn::testing::TempDir;

namespace {

const std::string kFirstRun = ".NUMSIGNALS\r\n2\r\n.NUMSTEPS\r\n4\r\n.NOTES\r\nfirst run\r\n.SIGNALS\r\n"
                              "CLK 0101\r\nEN 0011\r\n";

std::string Saved(const GraphModel& model) {
    std::ostringstream out;
    SaveWaveform(model, out);
    return out.str();
}

std::optional<WaveformFile> Read(const std::string& text) {
    std::istringstream in(text);
    return ValidateWaveform(in);
}

bool Load(GraphModel& model, const std::string& text) {
    std::istringstream in(text);
    return LoadWaveform(model, in);
}

std::string Header(const std::string& count, const std::string& steps, const std::string& notes = "") {
    return ".NUMSIGNALS\n" + count + "\n.NUMSTEPS\n" + steps + "\n.NOTES\n" + notes + "\n.SIGNALS\n";
}

// What the view holds, to see that a refused file changed nothing.
std::string Snapshot(const GraphModel& model) {
    std::string text = Saved(model) + std::to_string(model.zoomLevel()) + std::to_string(model.marker());
    for (const SignalRow& row : model.rows())
        text += row.name + (row.selected ? "*" : "") + std::to_string(row.value[0]);
    return text;
}

// CLK, EN and X with EN and X combined, reversed and moved, and zoomed in.
GraphModel Arranged() {
    GraphModel model = Waveform({{"CLK", "0101"}, {"EN", "0011"}, {"X", "1000"}});
    model.setNotes("first run");
    model.SelectOnly(1);
    model.ToggleSelection(2);
    OnCombine(model);
    OnReverse(model);
    model.RenameRow(0, "clock");
    model.OnKeyDown(Key::Up);
    model.ZoomIn();
    return model;
}

} // namespace

TEST(WaveformSave, WritesTheRawSignalsWithCrLfAndOneCharacterPerStepAndRefusesWhatCouldNotBeReadBack) {
    GraphModel model = Waveform({{"CLK", "0101"}, {"EN", "0011"}});
    model.setNotes("first run");
    EXPECT_EQ(Saved(model), kFirstRun);
    // The arrangement of the rows is not kept.
    EXPECT_EQ(Saved(Arranged()), ".NUMSIGNALS\r\n3\r\n.NUMSTEPS\r\n4\r\n.NOTES\r\nfirst run\r\n.SIGNALS\r\n"
                                 "CLK 0101\r\nEN 0011\r\nX 1000\r\n");
    // Values read from a file other than 0 and 1 are written as their bit 0.
    ASSERT_TRUE(Load(model, Header("1", "4") + "A 07/:\n"));
    EXPECT_EQ(model.rawSignals()[0].value[2], -1);
    EXPECT_EQ(Saved(model), ".NUMSIGNALS\r\n1\r\n.NUMSTEPS\r\n4\r\n.NOTES\r\n\r\n.SIGNALS\r\nA 0110\r\n");
    const std::string kept = " Nothing was saved.", a100(100, 'a');
    const std::vector<std::pair<std::string, std::string>> many(33, {"S", "1"}), all(32, {"S", "1"});
    // clang-format off
    const std::vector<std::tuple<GraphModel, std::string, std::string>> cases = {
        {Waveform({{"A", "01"}}), std::string(99, 'n'), ""}, {Waveform({{std::string(99, 'a'), "01"}}), "", ""},
        {Waveform(all), "", ""},
        {Waveform({{"A", "01"}}), std::string(100, 'n'), "The notes are 100 characters long, but a waveform file holds at most 99."},
        {Waveform({{"A", "01"}}), "two\nlines", "The notes hold a line break, which a waveform file cannot keep."},
        {Waveform({{"A B", "01"}}), "", "The signal name \"A B\" holds a blank or a line break, which a waveform file cannot keep."},
        {Waveform({{a100, "01"}}), "", "The signal name \"" + a100 + "\" is longer than 99 characters, which a waveform file cannot keep."},
        {Waveform(many), "", "This waveform has 33 signals, but a waveform file holds at most 32."}};
    // clang-format on
    for (auto [model, notes, refusal] : cases) {
        model.setNotes(notes);
        EXPECT_EQ(SaveRefusal(model).value_or(""), refusal.empty() ? "" : refusal + kept);
    }
}

TEST(WaveformLoad, CountLinesTakeTwoCharactersUncheckedWhatFollowsTheStepsIsIgnoredAndBadLinesAreRefused) {
    EXPECT_EQ(Read(Header("07", "0") + "S \nS \nS \nS \nS \nS \nS \n").value().raw.size(), 7u);
    for (const auto& [text, steps] :
         std::vector<std::pair<std::string, int>>{{"07", 7}, {"123", 12}, {"32", 32}})
        EXPECT_EQ(Read(Header("0", text)).value().steps, steps) << text;
    // Text after the last signal and characters past the last step are not looked at; the name
    // ends at the first blank; the CR of a CR LF does not count towards 99 characters.
    const RawSignal longer = Read(Header("1", "2") + "A 0110\n").value().raw.at(0);
    EXPECT_EQ(std::tuple(longer.value[1], longer.value[2]), std::tuple(1, 0));
    EXPECT_EQ(Read(Header("1", "3") + "A 1 1\n").value().raw.at(0).name, "A");
    const std::string a99(99, 'a'), n99(99, 'n');
    for (const std::string& text :
         {Header("0", "5") + "anything", Header("1", "0") + " \n", Header("0", "1", n99),
          Header("1", "2") + a99 + " 01\n",
          ".NUMSIGNALS\r\n0\r\n.NUMSTEPS\r\n0\r\n.NOTES\r\n" + n99 + "\r\n.SIGNALS\r\n"})
        EXPECT_TRUE(Read(text)) << text;
    const std::string a100(100, 'a'), ones100(100, '1'), n100(100, 'n');
    // clang-format off
    for (const std::string& text : {
             Header("7", "0"), Header("0", "33"), Header("33", "1"), Header("0", "-1"), Header("-1", "0"),
             Header("", "0"), Header("0", ""), Header("0", "x"), Header("0", "1", n100),
             Header("1", "2") + a100 + " 01\n", Header("1", "2") + "a " + ones100 + "\n", Header("1", "4") + "A 011\n",
             Header("1", "2") + "A 01", Header("1", "2") + "A01\n", Header("2", "2") + "A01\nB 01\n",
             Header("2", "2") + "A 01\n", std::string(".numsignals\n0\n.NUMSTEPS\n0\n.NOTES\n\n.SIGNALS\n"),
             std::string(".NUMSIGNALS\n0\n.NUMSTEPS \n0\n.NOTES\n\n.SIGNALS\n"),
             std::string(".NUMSIGNALS\n0\n.NUMSTEPS\n0\n.NOTES\n.SIGNALS\n"), std::string()})
        EXPECT_FALSE(Read(text)) << text;
    // clang-format on
}

TEST(WaveformLoad, AGoodFileLoadsWholeAndItsPrefixesAndRandomCorruptionsChangeNothing) {
    const auto loadOrKeep = [](const std::string& file) {
        GraphModel model = Arranged();
        const std::string before = Snapshot(model);
        if (!Load(model, file)) return Snapshot(model) == before;
        return model.rawSignals().size() <= 32 && model.steps() <= 32 &&
               model.rows().size() == model.rawSignals().size();
    };
    // Every prefix of a good file, with CR LF or with LF alone, is refused; the whole file loads
    // and starts the view afresh.
    for (const std::string& file :
         {kFirstRun,
          std::string(".NUMSIGNALS\n2\n.NUMSTEPS\n4\n.NOTES\nfirst run\n.SIGNALS\nCLK 0101\nEN 0011\n")}) {
        for (size_t length = 0; length < file.size(); ++length) {
            EXPECT_FALSE(Read(file.substr(0, length))) << length;
            ASSERT_TRUE(loadOrKeep(file.substr(0, length))) << length;
        }
        GraphModel model = Arranged();
        ASSERT_TRUE(Load(model, file));
        EXPECT_EQ(std::tuple(RowNames(model), model.notes(), model.steps(), model.rows()[1].value[2],
                             model.zoomLevel(), model.selectedCount(), Saved(model)),
                  std::tuple(std::vector<std::string>{"CLK", "EN"}, "first run", 4, 1u, 1, 0, kFirstRun));
    }
    std::mt19937 random(20240601);
    const std::string alphabet = ".NUMSIGNALSTEP0123456789 \r\n\t-:/~\xff";
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string file = kFirstRun;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !file.empty(); ++e) {
            const size_t at = random() % file.size();
            const char c = alphabet[random() % alphabet.size()];
            const auto kind = random() % 3;
            kind == 0   ? void(file[at] = c)
            : kind == 1 ? void(file.insert(at, 1, c))
                        : void(file.erase(at, 1));
        }
        ASSERT_TRUE(loadOrKeep(file)) << file;
        loaded += Read(file) ? 1 : 0;
    }
    EXPECT_GT(loaded, 0);
}

TEST(WaveformCommands, SaveAppendsTheExtensionAndOpenReadsItBackOrChangesNothing) {
    const TempDir dir;
    GraphModel model = Arranged();
    ScriptedPrompter prompter;
    const std::string nowhere = dir.file("no such folder/x.wf");
    prompter.fileAnswers = {dir.file("capture"), dir.file("capture.txt"), std::nullopt, nowhere};
    for (int i = 0; i < 4; ++i)
        OnSave(model, prompter);
    OnSave(Waveform({{"A B", "01"}}), prompter); // refused before a file is asked for
    EXPECT_EQ(std::tuple(ReadFile(dir.file("capture.wf")), ReadFile(dir.file("capture.txt")),
                         std::filesystem::exists(dir.file("capture"))),
              std::tuple(Saved(model), Saved(model), false));
    ASSERT_EQ(prompter.boxes.size(), 6u);
    EXPECT_EQ(std::tuple(prompter.boxes[4].text, prompter.boxes[5].caption),
              std::tuple("The file " + nowhere + " could not be written.", ""));
    GraphModel opened;
    prompter.boxes.clear();
    prompter.fileAnswers = {dir.file("capture.wf"), std::nullopt, dir.file("missing.wf"),
                            dir.write("bad.wf", Header("1", "4") + "A 01")};
    ASSERT_TRUE(OnOpen(opened, prompter));
    const std::string before = Snapshot(opened);
    EXPECT_EQ(Saved(opened), Saved(model));
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(OnOpen(opened, prompter));
    EXPECT_EQ(Snapshot(opened), before);
    // Only the file dialogs were shown, each with the waveform filter.
    EXPECT_EQ(prompter.boxes.size(), 4u);
    for (const ScriptedPrompter::Box& box : prompter.boxes)
        EXPECT_EQ(box.text, kWaveformFilter);
}
