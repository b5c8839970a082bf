// The labels page of the configuration wizard: the label editor, its checks and boxes, the
// start address fields, and the lab choice that decides what the page offers.

#include "ScriptedPrompter.h"
#include "monitor/ConfigurationWizard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vorn::monitor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LabelsPageTest : public ::testing::Test {
  protected:
    LabelsPageTest() {
        settings.SLAVEbase = 0x100;
        settings.SLAVEstart = 0;
        settings.SLAVEend = 0x3FF;
        settings.RAMstart = 0x10;
        settings.RAMend = 0x3FFF;
        EXPECT_FALSE(wizard.OnLabChoiceNext(LoadStore));
        page.OnSetActive();
    }
    std::vector<std::string> Boxes() { return prompter.takeBoxTexts(); }

    isa::Settings settings;
    testing::ScriptedPrompter prompter;
    ConfigurationWizard wizard{settings, prompter, "VORN"};
    LabelsPage& page = wizard.labels;
};

TEST_F(LabelsPageTest, NoLabEndsTheProcessEveryShowingStartsOnTheFirstAndThePathsFollowTheFlags) {
    EXPECT_EQ(wizard.OnLabChoiceNext(-1), (Fault{"Error - no lab selected. REPORT TO ZUVO.", "VORN", 0}));
    EXPECT_FALSE(LabFlagsOf(4));

    ASSERT_FALSE(wizard.OnLabChoiceNext(SimpleSlave));
    EXPECT_FALSE(wizard.FpgaPathEnabled() || wizard.MemoryPathEnabled());
    settings.configureBit = true;
    ASSERT_FALSE(wizard.OnLabChoiceNext(ReadWrite));
    EXPECT_TRUE(wizard.FpgaPathEnabled() && wizard.MemoryPathEnabled());
    wizard.OnShow();
    EXPECT_EQ(wizard.lab, SimpleSlave);
    EXPECT_TRUE(wizard.state.flags.memoryLabels) << "the flags stay until the next Next";
}

TEST_F(LabelsPageTest, InsertChecksRangeAndNameAndReadsHexadecimal) {
    const char *range = "Address out of allowed range.", *letter = "Label name must start with a letter!",
               *exists = "Label exists, delete previous one before trying again.";
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        {0, "S0", "0", nullptr},      {0, "S1", "3ff", nullptr},   {0, "S2", "400", range},
        {1, "G0", "1f", nullptr},     {1, "G1", "20", range},      {2, "M0", "10", nullptr},
        {2, "M1", "f", range},        {2, "M2", "3fff", nullptr},  {2, "M3", "4000", range},
        {2, "a", "  0X1F", nullptr},  {2, "b", "0x2Fzz", nullptr}, {1, "c", "xyz", nullptr},
        {2, "d", "123456789", range}, {0, "1abc", "1", letter},    {0, "_x", "1", letter},
        {0, "", "1", letter},         {0, " PC", "1", letter},     {0, "\xe4x", "1", letter},
        {0, "X-1 2", "1", nullptr},   {2, "X-1 2", "20", nullptr}, {0, "x-1 2", "2", nullptr},
        {0, "X-1 2", "3", exists}};
    for (const auto& [kind, name, address, box] : cases) {
        EXPECT_EQ(page.InsertLabel(kind, name, address), !box) << name;
        EXPECT_EQ(Boxes(), box ? std::vector<std::string>{box} : std::vector<std::string>{}) << name;
    }
    EXPECT_THAT(page.Lines(LabelKind::Graphic), ElementsAre("G0@0x1f", "c@0x0")) << "no digits give 0";
    page.kind = 2; // the Insert button reads eleven characters of each field
    page.nameEdit.Set("ABCDEFGHIJKLMN");
    page.addressEdit.Set("000000004005");
    page.OnInsertLabel();
    EXPECT_THAT(page.Lines(LabelKind::Memory),
                ElementsAre("M0@0x10", "M2@0x3fff", "a@0x1f", "b@0x2f", "X-1 2@0x20", "ABCDEFGHIJK@0x400"));
}

TEST_F(LabelsPageTest, InsertingTheSelectedNameEditsTheLabelInPlace) {
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(page.InsertLabel(0, name, "1"));
    page.OnSelect(LabelKind::Slave, 1);
    EXPECT_TRUE(page.InsertLabel(0, "B", "22"));
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("A@0x1", "B@0x22", "C@0x1"));
    EXPECT_EQ(page.selection[0], -1) << "the old line went, and the selection with it";

    page.OnSelect(LabelKind::Slave, 0);
    EXPECT_FALSE(page.InsertLabel(0, "B", "5")) << "another line selected";
    EXPECT_THAT(Boxes(), ElementsAre("Label exists, delete previous one before trying again."));
}

TEST_F(LabelsPageTest, DeleteAndSelectWorkOnTheSelectedLineOfTheirOwnList) {
    ASSERT_TRUE(page.InsertLabel(1, "G0", "0"));
    ASSERT_TRUE(page.InsertLabel(1, "G1", "1"));
    ASSERT_TRUE(page.InsertLabel(0, "a@b", "4"));
    page.OnDeleteLabel(LabelKind::Graphic);
    page.OnSelect(LabelKind::Graphic, 0);
    page.OnDeleteLabel(LabelKind::Slave);
    EXPECT_EQ(page.model().Of(LabelKind::Graphic).size(), 2u) << "nothing selected, then another list";
    page.OnDeleteLabel(LabelKind::Graphic);
    EXPECT_TRUE(page.InsertLabel(1, "G2", "2"));
    EXPECT_THAT(page.Lines(LabelKind::Graphic), ElementsAre("G1@0x1", "G2@0x2")) << "new labels go last";

    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("a@b@0x4"));
    EXPECT_EQ(page.model().Find(LabelKind::Slave, "a@b"), 0x104u) << "stored at the slave base";
    page.OnSelect(LabelKind::Graphic, 1);
    page.OnSelect(LabelKind::Slave, 0);
    EXPECT_EQ(page.nameEdit.text, "a@b");
    EXPECT_EQ(page.addressEdit.text, "0x4");
    EXPECT_EQ(page.kind, 0);
    EXPECT_EQ(page.selection, (std::array<int, 3>{0, -1, -1}));
    page.OnDeleteLabel(LabelKind::Slave);
    EXPECT_THAT(page.model().Of(LabelKind::Slave), IsEmpty());
}

TEST_F(LabelsPageTest, ClearAllEmptiesTheModelAndDeletesOnlyTheSelectedText) {
    ASSERT_TRUE(page.InsertLabel(0, "S", "1"));
    wizard.state.addresses = {0x120, 0x140, true, true};
    page.cpuRamEdit = {"0x00000020", 0, 10};
    page.laRamEdit = {"0x00000040", 0, 0};
    page.nameEdit = {"Label", 1, 3};
    page.OnClearAllLabels();
    EXPECT_TRUE(page.model().Empty());
    EXPECT_EQ(page.cpuRamEdit.text, "");
    EXPECT_EQ(page.laRamEdit.text, "0x00000040");
    EXPECT_EQ(page.nameEdit.text, "Lel");
    EXPECT_EQ(wizard.state.addresses.cpuRam, 0x120u) << "start addresses are not touched";
}

TEST_F(LabelsPageTest, StartFieldsAreCheckedAlignedAndStored) {
    const auto check = [&](const char* cpuRam, const char* laRam) {
        page.cpuRamEdit.Set(cpuRam);
        page.laRamEdit.Set(laRam);
        page.CheckStartAddresses();
        return Boxes();
    };
    EXPECT_THAT(check("55", "0x40"), ElementsAre("CPU RAM address has been aligned to 0x40."));
    EXPECT_EQ(page.cpuRamEdit.text, "0x00000040");
    EXPECT_EQ(wizard.state.addresses.cpuRam, 0x140u);
    EXPECT_EQ(wizard.state.addresses.laRam, 0x140u);
    EXPECT_TRUE(wizard.state.addresses.cpuRamSet && wizard.state.addresses.laRamSet);
    EXPECT_THAT(check("", "400"), ElementsAre("CPU RAM address not set! No register view.",
                                              "LA RAM Address out of allowed range, Registers NOT set."));
    EXPECT_EQ(page.laRamEdit.text, "");
    EXPECT_FALSE(wizard.state.addresses.cpuRamSet || wizard.state.addresses.laRamSet);
    EXPECT_THAT(check("fffff", ""), ElementsAre("CPU RAM Address out of allowed range, CPU RAM NOT set.",
                                                "LA RAM address not set! No Graphic view."));
    EXPECT_THAT(check("", "3f"), ElementsAre("CPU RAM address not set! No register view.",
                                             "LA RAM address has been aligned to 0x20."));
}

TEST_F(LabelsPageTest, ANewLabChoiceKeepsTheLabelsAndChecksSlaveOnce) {
    ASSERT_TRUE(page.InsertLabel(0, "PC", "40"));
    page.kind = 2;
    ASSERT_FALSE(wizard.OnLabChoiceNext(ReadWrite));
    page.OnSetActive();
    EXPECT_THAT(page.Lines(LabelKind::Slave), ElementsAre("PC@0x40")) << "the wizard run again keeps them";
    EXPECT_EQ(page.kind, 0);
    EXPECT_FALSE(wizard.state.flags.labChosen);
    page.kind = 2;
    page.OnSetActive(); // back from the FPGA page
    EXPECT_EQ(page.kind, 2);
}

TEST_F(LabelsPageTest, BrowseKeepsTheFieldUnlessAFileIsChosen) {
    wizard.fpga.OnBrowse("old.bit");
    EXPECT_EQ(wizard.fpga.path, "old.bit");
    EXPECT_EQ(prompter.boxes.back().text, "BIT files (*.bit *.BIT);;All files (*.*)");
    prompter.fileAnswers.push_back("/lab/image");
    wizard.memory.OnBrowse("");
    EXPECT_EQ(wizard.memory.path, "/lab/image.cod");
}

} // namespace
} // namespace vorn::monitor
