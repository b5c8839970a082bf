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

std::string WithLf(const std::string& text) {
    std::string lf;
    for (char c : text)
        if (c != '\r') lf += c;
    return lf;
}

// What the view holds, to see that a refused file changed nothing.
std::string Snapshot(const GraphModel& model) {
    std::string text = Saved(model) + std::to_string(model.zoomLevel()) + std::to_string(model.marker());
    for (const SignalRow& row : model.rows())
        text += row.name + (row.selected ? "*" : "") + std::to_string(row.value[0]);
    return text;
}

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

TEST(WaveformSave, WritesTheRawSignalsWithCrLf) {
    GraphModel model = Waveform({{"CLK", "0101"}, {"EN", "0011"}});
    model.setNotes("first run");
    EXPECT_EQ(Saved(model), kFirstRun);
    // The arrangement of the rows is not kept.
    EXPECT_EQ(Saved(Arranged()), ".NUMSIGNALS\r\n3\r\n.NUMSTEPS\r\n4\r\n.NOTES\r\nfirst run\r\n.SIGNALS\r\n"
                                 "CLK 0101\r\nEN 0011\r\nX 1000\r\n");
}

TEST(WaveformSave, WritesOneCharacterPerStepForAnyValueReadFromAFile) {
    GraphModel model;
    ASSERT_TRUE(Load(model, Header("1", "4") + "A 07/:\n"));
    EXPECT_EQ(model.rawSignals()[0].value[2], -1);
    EXPECT_EQ(Saved(model), ".NUMSIGNALS\r\n1\r\n.NUMSTEPS\r\n4\r\n.NOTES\r\n\r\n.SIGNALS\r\nA 0110\r\n");
}

TEST(WaveformLoad, ReadsBackWhatWasSavedWithCrLfOrLf) {
    for (const std::string& text : {kFirstRun, WithLf(kFirstRun)}) {
        GraphModel model = Arranged();
        ASSERT_TRUE(Load(model, text));
        EXPECT_EQ(RowNames(model), (std::vector<std::string>{"CLK", "EN"}));
        EXPECT_EQ(model.notes(), "first run");
        EXPECT_EQ(model.steps(), 4);
        EXPECT_EQ(model.rows()[1].value[2], 1u);
        EXPECT_EQ(model.zoomLevel(), 1);
        EXPECT_EQ(model.selectedCount(), 0);
        EXPECT_EQ(Saved(model), kFirstRun);
    }
}

TEST(WaveformLoad, CountLinesTakeTwoCharactersUnchecked) {
    std::string sevenSignals;
    for (int i = 0; i < 7; ++i)
        sevenSignals += "S \n";
    EXPECT_EQ(Read(Header("7", "0") + sevenSignals)->raw.size(), 7u);
    EXPECT_EQ(Read(Header("07", "0") + sevenSignals)->raw.size(), 7u);
    for (const auto& [text, steps] :
         std::vector<std::pair<std::string, int>>{{"7", 7}, {"07", 7}, {"123", 12}, {"32", 32}})
        EXPECT_EQ(Read(Header("0", text))->steps, steps) << text;
}

TEST(WaveformLoad, AcceptsTheLimitsAndIgnoresWhatFollowsTheSteps) {
    // Text after the last signal and characters past the last step are not looked at.
    EXPECT_TRUE(Read(Header("0", "5") + "anything"));
    const std::optional<WaveformFile> longer = Read(Header("1", "2") + "A 0110\n");
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->raw[0].value[1], 1);
    EXPECT_EQ(longer->raw[0].value[2], 0);
    // Values may hold blanks; the name ends at the first one.
    EXPECT_EQ(Read(Header("1", "3") + "A 1 1\n")->raw[0].name, "A");
    EXPECT_TRUE(Read(Header("1", "0") + " \n"));
    EXPECT_EQ(Read(Header("0", "1", std::string(99, 'n')))->notes.size(), 99u);
    // The CR of a CR LF does not count.
    EXPECT_TRUE(
        Read(".NUMSIGNALS\r\n0\r\n.NUMSTEPS\r\n0\r\n.NOTES\r\n" + std::string(99, 'n') + "\r\n.SIGNALS\r\n"));
    EXPECT_TRUE(Read(Header("1", "2") + std::string(99, 'a') + " 01\n"));
}

TEST(WaveformLoad, RefusesBadCountsLongLinesShortSignalsAndMisspeltKeywords) {
    for (const std::string& text : {Header("7", "0"),
                                    Header("0", "33"),
                                    Header("33", "1"),
                                    Header("0", "-1"),
                                    Header("-1", "0"),
                                    Header("", "0"),
                                    Header("0", ""),
                                    Header("0", "x"),
                                    Header("0", "1", std::string(100, 'n')),
                                    Header("1", "2") + std::string(100, 'a') + " 01\n",
                                    Header("1", "2") + "a " + std::string(100, '1') + "\n",
                                    Header("1", "4") + "A 011\n",
                                    Header("1", "2") + "A 01",
                                    Header("1", "2") + "A01\n",
                                    Header("2", "2") + "A01\nB 01\n",
                                    Header("2", "2") + "A 01\n",
                                    std::string(".numsignals\n0\n.NUMSTEPS\n0\n.NOTES\n\n.SIGNALS\n"),
                                    std::string(".NUMSIGNALS\n0\n.NUMSTEPS \n0\n.NOTES\n\n.SIGNALS\n"),
                                    std::string(".NUMSIGNALS\n0\n.NUMSTEPS\n0\n.NOTES\n.SIGNALS\n"),
                                    std::string()})
        EXPECT_FALSE(Read(text)) << text;
}

TEST(WaveformLoad, ARefusedFileChangesNothing) {
    GraphModel model = Arranged();
    const std::string before = Snapshot(model);
    EXPECT_FALSE(Load(model, Header("2", "4") + "CLK 0101\nEN 001\n"));
    EXPECT_EQ(Snapshot(model), before);
}

TEST(WaveformLoad, NoPrefixOfAFileIsTakenAndNoneChangesTheView) {
    for (const std::string& file : {kFirstRun, WithLf(kFirstRun)}) {
        GraphModel model = Arranged();
        const std::string before = Snapshot(model);
        for (size_t length = 0; length < file.size(); ++length) {
            EXPECT_FALSE(Load(model, file.substr(0, length))) << length;
            ASSERT_EQ(Snapshot(model), before) << length;
        }
        EXPECT_TRUE(Load(model, file));
    }
}

TEST(WaveformLoad, RandomCorruptionsEitherLoadWholeOrChangeNothing) {
    std::mt19937 random(20240601);
    const std::string original = kFirstRun;
    const std::string alphabet = ".NUMSIGNALSTEP0123456789 \r\n\t-:/~\xff";
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string file = original;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !file.empty(); ++e) {
            const size_t at = random() % file.size();
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
            case 0:
                file[at] = c;
                break;
            case 1:
                file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), c);
                break;
            default:
                file.erase(at, 1);
            }
        }
        GraphModel model = Arranged();
        const std::string before = Snapshot(model);
        if (Load(model, file)) {
            ++loaded;
            ASSERT_LE(model.rawSignals().size(), 32u);
            ASSERT_LE(model.steps(), 32);
            ASSERT_EQ(model.rows().size(), model.rawSignals().size());
        } else {
            ASSERT_EQ(Snapshot(model), before) << file;
        }
    }
    EXPECT_GT(loaded, 0);
}

TEST(WaveformSave, RefusesWhatCouldNotBeReadBack) {
    GraphModel model = Waveform({{"A", "01"}});
    EXPECT_FALSE(SaveRefusal(model));
    model.setNotes(std::string(99, 'n'));
    EXPECT_FALSE(SaveRefusal(model));
    model.setNotes(std::string(100, 'n'));
    EXPECT_EQ(*SaveRefusal(model),
              "The notes are 100 characters long, but a waveform file holds at most 99. Nothing was saved.");
    model.setNotes("two\nlines");
    EXPECT_TRUE(SaveRefusal(model));

    EXPECT_EQ(*SaveRefusal(Waveform({{"A B", "01"}})),
              "The signal name \"A B\" holds a blank or a line break, "
              "which a waveform file cannot keep. Nothing was saved.");
    EXPECT_TRUE(SaveRefusal(Waveform({{std::string(100, 'a'), "01"}})));
    EXPECT_FALSE(SaveRefusal(Waveform({{std::string(99, 'a'), "01"}})));

    std::vector<std::pair<std::string, std::string>> many(33, {"S", "1"});
    EXPECT_EQ(*SaveRefusal(Waveform(many)),
              "This waveform has 33 signals, but a waveform file holds at most 32. Nothing was saved.");
    many.pop_back();
    EXPECT_FALSE(SaveRefusal(Waveform(many)));
}

TEST(WaveformCommands, SaveAppendsTheExtensionAndOpenReadsItBack) {
    const TempDir dir;
    GraphModel model = Arranged();
    ScriptedPrompter prompter;
    prompter.fileAnswers = {dir.file("capture"), dir.file("capture.txt"), dir.file("capture.wf")};
    OnSave(model, prompter);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, kWaveformFilter);
    EXPECT_FALSE(std::filesystem::exists(dir.file("capture")));
    EXPECT_EQ(ReadFile(dir.file("capture.wf")), Saved(model));
    OnSave(model, prompter);
    EXPECT_EQ(ReadFile(dir.file("capture.txt")), Saved(model));

    GraphModel opened;
    EXPECT_TRUE(OnOpen(opened, prompter));
    EXPECT_EQ(Saved(opened), Saved(model));
    EXPECT_EQ(RowNames(opened), (std::vector<std::string>{"CLK", "EN", "X"}));
}

TEST(WaveformCommands, CancelAndBadFilesChangeNothingAndSayNothing) {
    const TempDir dir;
    GraphModel model = Arranged();
    const std::string before = Snapshot(model);
    ScriptedPrompter prompter;
    EXPECT_FALSE(OnOpen(model, prompter)); // cancelled
    prompter.fileAnswers = {dir.file("missing.wf"), dir.write("bad.wf", Header("1", "4") + "A 01")};
    EXPECT_FALSE(OnOpen(model, prompter));
    EXPECT_FALSE(OnOpen(model, prompter));
    EXPECT_EQ(Snapshot(model), before);
    EXPECT_EQ(prompter.boxes.size(), 3u); // the three file dialogs only
    OnSave(model, prompter);              // cancelled
    EXPECT_EQ(prompter.boxes.size(), 4u);
}

TEST(WaveformCommands, SaveReportsARefusalBeforeAskingForAFileAndAFileItCannotWrite) {
    ScriptedPrompter prompter;
    OnSave(Waveform({{"A B", "01"}}), prompter);
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, "");

    const TempDir dir;
    const std::string nowhere = dir.file("no such folder/x.wf");
    prompter.boxes.clear();
    prompter.fileAnswers = {nowhere};
    OnSave(Waveform({{"A", "01"}}), prompter);
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].text, "The file " + nowhere + " could not be written.");
}
