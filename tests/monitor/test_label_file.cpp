// .lbl files: the lab's files load through the labels page, save back byte for byte and agree
// with their designs, and the reader copes with files that the editor's own writer can produce.

#include "BoxTexts.h"
#include "TempDir.h"
#include "board/BoardDesign.h"
#include "board/DlxMachine.h"
#include "monitor/ConfigurationWizard.h"
#include "monitor/LabelFile.h"
#include "monitor/MonitorTexts.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
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
        page.OnSetActive(true);
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
    EXPECT_EQ(page.model().Find(LabelKind::Slave, "STATUS"), 0x8041u);
    page.CheckStartAddresses();
    EXPECT_EQ(wizard.state.addresses.laRam, 0x8020u);
}

// Each lab's .bit, .lbl and settings.xml describe the same address map.
TEST(LabFiles, EachLabsBitLblAndSettingsAgree) {
    const auto settings = isa::LoadSettings(VORN_SOURCE_DIR "/lab/settings.xml");
    ASSERT_TRUE(settings.ok());
    const uint32_t base = settings->SLAVEbase;
    using board::DesignKind;
    for (const auto& [lab, kind] : {std::pair{"slave", DesignKind::Slave},
                                    {"selfmonitor", DesignKind::SelfMonitoring},
                                    {"readwrite", DesignKind::ReadWrite},
                                    {"loadstore", DesignKind::LoadStore}}) {
        SCOPED_TRACE(lab);
        const std::string stem = VORN_SOURCE_DIR "/lab/" + std::string(lab);
        const auto design = board::ParseBoardDesign(testing::ReadFile(stem + ".bit"));
        ASSERT_TRUE(design);
        EXPECT_EQ(design->kind, kind);
        std::ifstream in(stem + ".lbl", std::ios::binary);
        const LabelFileContent file = ReadLabelFile(in);
        std::array<std::map<std::string, uint32_t>, 3> labels;
        for (int k = 0; k < 3; ++k)
            for (const LabelFileEntry& entry : file.labels[k])
                labels[k][entry.name] = static_cast<uint32_t>(std::stoul(entry.address, nullptr, 16));

        EXPECT_EQ((design->registers - base) % 32, 0u);
        EXPECT_LE(design->registers - base + 31, settings->SLAVEend);
        EXPECT_EQ(file.cpuRamText, WordText(design->registers - base));
        EXPECT_EQ(file.laRamText, design->HasAnalyser() ? WordText(design->analyser - base) : "");
        EXPECT_EQ(labels[0], (std::map<std::string, uint32_t>{{"PC", design->pc - base},
                                                              {"STATUS", design->status - base},
                                                              {"COMMAND", design->command - base}}));
        EXPECT_EQ(labels[1].empty(), !design->HasAnalyser());
        EXPECT_EQ(labels[2].empty(), !design->HasRam());
        if (design->HasRam()) {
            EXPECT_EQ(design->ramStart, settings->RAMstart);
            EXPECT_EQ(design->ramEnd, settings->RAMend);
            EXPECT_GE(settings->checkAddressStart, design->ramStart);
            EXPECT_LE(settings->checkAddressEnd, design->ramEnd);
        }
        for (const auto& [name, address] : labels[2])
            EXPECT_TRUE(address >= settings->RAMstart && address <= settings->RAMend) << name;
        if (kind != DesignKind::LoadStore) continue;
        for (const auto& [name, signal] : {std::pair{"HALT", board::DlxMachine::HaltSignal},
                                           {"RTYPE", board::DlxMachine::RTypeSignal},
                                           {"JUMP", board::DlxMachine::JumpSignal},
                                           {"REGWRITE", board::DlxMachine::RegisterWriteSignal}})
            EXPECT_EQ(1u << labels[1].at(name), signal) << name;
    }
}

TEST_F(LabelFileTest, WriterWritesOffsetsAndCountsWithCrLfAndTheDefaultExtension) {
    LabelMaps labels;
    labels.Set(LabelKind::Slave, "PC", 0x8040);
    labels.Set(LabelKind::Memory, "buf", 0xABC);
    page.model() = labels;
    page.cpuRamEdit.Set("0x00000000");
    EXPECT_EQ(Save(), "0x00000000\r\n\r\n1\r\nPC\r\n40\r\n0\r\n1\r\nbuf\r\nabc\r\n");
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

TEST_F(LabelFileTest, ElevenCharacterNamesSurviveSaveAndLoad) {
    ASSERT_TRUE(page.InsertLabel(0, "ABCDEFGHIJK", "1"));
    ASSERT_TRUE(page.InsertLabel(0, "NEXT", "2"));
    Save();
    page.OnClearAllLabels();
    Load(directory.file("saved.lbl"));
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("ABCDEFGHIJK@0x1", "NEXT@0x2"));
}

TEST_F(LabelFileTest, RefusedLabelsAreSkippedWithTheirBoxesAndAZeroCountReadsTheNextKind) {
    Load(directory.write("bad.lbl",
                         "\r\n\r\n3\r\n9x\r\n1\r\nFAR\r\n400\r\nOK\r\n2\r\n1\r\nBIT\r\n1f\r\n0\r\n"));
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("OK@0x2"));
    EXPECT_THAT(page.Lines(LabelKind::Graphic), ElementsAre("BIT@0x1f"));
    EXPECT_THAT(
        testing::TakeBoxTexts(prompter),
        ElementsAre(::testing::_, "Label name must start with a letter!", "Address out of allowed range."));
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
