// .lbl files: the lab's files load through the labels page and save back byte for byte, and
// the reader copes with files that the editor's own writer can produce.

#include "ScriptedPrompter.h"
#include "TempDir.h"
#include "monitor/ConfigurationWizard.h"
#include "monitor/LabelFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LabelFileTest : public ::testing::Test {
  protected:
    LabelFileTest() {
        auto lab = isa::LoadSettings(VORN_SOURCE_DIR "/lab/settings.xml");
        EXPECT_TRUE(lab.ok());
        settings = *lab;
        EXPECT_FALSE(wizard.OnLabChoiceNext(LoadStore));
        page.OnSetActive();
    }
    void Load(const std::string& path) {
        prompter.fileAnswers.push_back(path);
        page.OnLoadLabels();
    }
    std::string Save() {
        const std::string path = directory.file("saved.lbl");
        prompter.fileAnswers.push_back(path);
        page.OnSaveLabels();
        return testing::ReadFile(path);
    }

    testing::TempDir directory;
    isa::Settings settings;
    testing::ScriptedPrompter prompter;
    ConfigurationWizard wizard{settings, prompter, "VORN"};
    LabelsPage& page = wizard.labels;
};

TEST_F(LabelFileTest, EveryLabFileLoadsAndSavesByteForByte) {
    for (const char* name : {"slave.lbl", "selfmonitor.lbl", "readwrite.lbl", "loadstore.lbl"}) {
        const std::string path = std::string(VORN_SOURCE_DIR "/lab/") + name;
        page.OnClearAllLabels();
        prompter.boxes.clear();
        Load(path);
        EXPECT_THAT(prompter.boxes, ::testing::SizeIs(1)) << name << ": only the file dialog";
        prompter.boxes.clear();
        EXPECT_EQ(Save(), testing::ReadFile(path)) << name;
    }
    EXPECT_EQ(page.cpuRamEdit.text, "0x00000000");
    EXPECT_EQ(page.laRamEdit.text, "0x00000020");
    page.CheckStartAddresses();
    EXPECT_EQ(wizard.state.addresses.laRam, 0x8020u);
}

TEST_F(LabelFileTest, WriterWritesOffsetsAndCountsWithCrLfAndTheDefaultExtension) {
    LabelMaps labels;
    labels.Set(LabelKind::Slave, "ABCDEFGHIJK", 0x8040);
    labels.Set(LabelKind::Memory, "buf", 0xABC);
    page.model() = labels;
    page.cpuRamEdit.Set("0x00000000");
    EXPECT_EQ(Save(), "0x00000000\r\n\r\n1\r\nABCDEFGHIJK\r\n40\r\n0\r\n1\r\nbuf\r\nabc\r\n");
    page.OnClearAllLabels();
    Load(directory.file("saved.lbl"));
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("ABCDEFGHIJK@0x40")) << "eleven characters kept";
    prompter.fileAnswers.push_back(directory.file("labels"));
    page.OnSaveLabels();
    EXPECT_TRUE(std::filesystem::exists(directory.file("labels.lbl")));

    const std::string path = directory.file("no folder/labels.lbl");
    prompter.fileAnswers.push_back(path);
    page.OnSaveLabels();
    EXPECT_EQ(prompter.boxes.back().text, "The file " + path + " could not be written.");
}

TEST(LabelFileReader, TakesLfEveryNameWholeAndWhatAShortFileHolds) {
    std::istringstream in("0x20\n0x40\n2\nLONGLABELNAME\n3\nPC\n4\n0\n-1\n");
    const LabelFileContent content = ReadLabelFile(in);
    EXPECT_EQ(content.cpuRamText, "0x20");
    EXPECT_EQ(content.laRamText, "0x40");
    EXPECT_THAT(content.labels[0],
                ElementsAre(LabelFileEntry{"LONGLABELNAME", "3"}, LabelFileEntry{"PC", "4"}));
    EXPECT_THAT(content.labels[1], IsEmpty());
    EXPECT_THAT(content.labels[2], IsEmpty()) << "a negative count means none";

    std::istringstream shorter("\r\n\r\n5\r\nA\r\n1\r\nB\r\n");
    EXPECT_THAT(ReadLabelFile(shorter).labels[0], ElementsAre(LabelFileEntry{"A", "1"}));
    std::istringstream empty("");
    EXPECT_THAT(ReadLabelFile(empty).labels[0], IsEmpty());
}

TEST_F(LabelFileTest, RefusedLabelsAreSkippedWithTheirBoxesAndAZeroCountReadsTheNextKind) {
    Load(directory.write("bad.lbl",
                         "\r\n\r\n3\r\n9x\r\n1\r\nFAR\r\n400\r\nOK\r\n2\r\n1\r\nBIT\r\n1f\r\n0\r\n"));
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("OK@0x2"));
    EXPECT_THAT(page.Lines(LabelKind::Graphic), ElementsAre("BIT@0x1f"));
    EXPECT_THAT(prompter.takeBoxTexts(), ElementsAre(::testing::_, "Label name must start with a letter!",
                                                     "Address out of allowed range."));
    prompter.yesNoAnswers.push_back(true);
    Load(directory.write("g.lbl", "\r\n\r\n0\r\n1\r\nBIT\r\n1e\r\n0\r\n"));
    EXPECT_THAT(page.Lines(LabelKind::Graphic), ElementsAre("BIT@0x1e"));
}

TEST_F(LabelFileTest, LoadingOverLabelsAsksFirstAndAFailedLoadKeepsThem) {
    ASSERT_TRUE(page.InsertLabel(0, "KEEP", "1"));
    prompter.yesNoAnswers.push_back(false);
    Load(VORN_SOURCE_DIR "/lab/slave.lbl");
    EXPECT_EQ(prompter.boxes.front().text, "This will delete all existing labels. Continue?");
    EXPECT_EQ(prompter.boxes.front().caption, "Overwrite?");
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("KEEP@0x1"));
    EXPECT_EQ(prompter.fileAnswers.size(), 1u) << "no file dialog after No";

    prompter.fileAnswers.clear();
    prompter.boxes.clear();
    // A file that does not open, or a folder, says so and keeps the labels.
    for (const std::string& path : {directory.file("missing.lbl"), directory.path().string()}) {
        prompter.yesNoAnswers.push_back(true);
        Load(path);
        EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("KEEP@0x1"));
        EXPECT_EQ(prompter.boxes.back().text, "The file " + path + " could not be opened.");
    }
    prompter.yesNoAnswers.push_back(true);
    page.OnLoadLabels(); // the file dialog cancelled
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("KEEP@0x1"));
}

} // namespace
} // namespace vorn::monitor
